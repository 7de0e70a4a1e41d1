#include "core/startup.h"

#include "core/catalogue.h"
#include "core/codepage.h"
#include "core/folderlayout.h"
#include "core/settingsfiles.h"
#include "core/sharedstate.h"
#include "platform/messagebox.h"

Status LoadConfiguration(SharedState& state, const QString& programDir,
                         const std::function<Status()>& loadCueTable)
{
    if (!CodePage::isAvailable())
        return Status::failure(
            QStringLiteral("日本語の文字コード（Shift_JIS）の変換が使えません。"));
    if (Status status = readSettings(state, programDir + u'/'); !status.ok())
        return status;
    state.errorTrapMode = 0;
    const FolderLayout folders = computeFolderLayout(programDir, state.layoutFlag);
    state.programFolder = folders.programFolder;
    state.homeEdition = 1;
    state.commonFolder = folders.commonFolder;
    if (Status status = readCommonData(state); !status.ok())
        return status;
    state.programFolderName = folders.programFolderName;
    state.dataFolder = folders.dataFolder;
    state.soundFolder = folders.soundFolder;
    setUpTitle(state);
    if (Status status = readItemTimeTable(state, kItemTimeTableFileName); !status.ok())
        return status;
    if (Status status = checkItemTimeTable(state); !status.ok())
        return status;
    return loadCueTable();
}

bool Main(SharedState& state, const QString& programDir, MessageBox& messages,
          const std::function<Status()>& loadCueTable)
{
    state.accentColour = 0x808000;
    const Status status = LoadConfiguration(state, programDir, loadCueTable);
    if (status.ok())
        return true;
    messages.show(kStartupFailureTitle,
                  status.message + QStringLiteral("\n\nプログラムを終了します。"));
    return false;
}
