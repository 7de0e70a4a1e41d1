#include "app/installationcheck.h"

#include "core/catalogue.h"
#include "core/folderlayout.h"
#include "core/settingsfiles.h"
#include "core/sharedstate.h"
#include "drill/idiomtable.h"
#include "platform/soundoutput.h"
#include "records/recordcodec.h"
#include "records/resultfiles.h"
#include "roster/rosterreaders.h"
#include "sound/cuetable.h"

#include <QFileInfo>
#include <QSet>

namespace {

const QString kVoiceFolder = QStringLiteral("四字熟語音声/");

QString oneLine(QString text)
{
    return text.replace(u'\n', u' ').simplified();
}

} // namespace

InstallationCheck::InstallationCheck(const QString& programDir, const QDate& today)
    : m_programDir(programDir), m_today(today), m_state(std::make_unique<SharedState>())
{
}

InstallationCheck::~InstallationCheck() = default;

void InstallationCheck::note(const QString& mark, const QString& path, const QString& detail)
{
    // "[OK]" is two columns narrower than the marks in full-width letters.
    const QString shown = mark == u"OK" ? QStringLiteral("[OK]  ") : u'[' + mark + u']';
    m_lines << (shown + u' ' + path + QStringLiteral("  ") + detail).trimmed();
}

void InstallationCheck::reportFile(const QString& path, const Status& status, const QString& found)
{
    if (status.ok()) {
        note(QStringLiteral("OK"), path, found);
        return;
    }
    m_ok = false;
    note(QFileInfo::exists(path) ? QStringLiteral("異常") : QStringLiteral("なし"), path,
         oneLine(status.message));
}
bool InstallationCheck::run()
{
    m_lines.clear();
    m_ok = true;
    if (checkSettings()) {
        checkRoster();
        checkIdioms();
        checkResultFile(resultFilePath(*m_state), RecordCodec::kResultLength);
        checkResultFile(homeResultFilePath(*m_state), RecordCodec::kHomeLength);
        checkCueSounds();
    }
    m_lines << (m_ok ? QStringLiteral("結果: このインストールで起動できます。")
                     : QStringLiteral(
                           "結果: 問題があります。上の［異常］［なし］の行を直してください。"));
    return m_ok;
}

// The readers of the program's start, in its order; unlike the start, a problem does not stop
// the files after it from being checked.
bool InstallationCheck::checkSettings()
{
    SharedState& state = *m_state;
    const QString settingsPath = m_programDir + u'/' + kSettingsFileName;
    const Status settings = readSettings(state, m_programDir + u'/');
    reportFile(settingsPath, settings, QStringLiteral("レイアウト %1").arg(state.layoutFlag));
    if (!settings.ok()) {
        note(QStringLiteral("中止"), QString(),
             QStringLiteral("設定.txt が読めないので、ほかのファイルの場所は決まりません。"));
        return false;
    }
    const FolderLayout folders = computeFolderLayout(m_programDir, state.layoutFlag);
    state.programFolder = folders.programFolder;
    state.homeEdition = 1;
    state.commonFolder = folders.commonFolder;
    state.programFolderName = folders.programFolderName;
    state.dataFolder = folders.dataFolder;
    state.soundFolder = folders.soundFolder;
    setUpTitle(state);
    reportFile(state.commonFolder + kCommonDataFileName, readCommonData(state), state.schoolName);

    Status timeTable = readItemTimeTable(state, kItemTimeTableFileName);
    if (timeTable.ok())
        timeTable = checkItemTimeTable(state);
    reportFile(state.dataFolder + kItemTimeTableFileName, timeTable);
    return true;
}

void InstallationCheck::checkRoster()
{
    int listed = 0;
    const Status status =
        readRosterForNameScreen(*m_state, m_today, [&listed](const RosterEntry&) { ++listed; });
    reportFile(rosterFilePath(*m_state), status, QStringLiteral("生徒 %1 人").arg(listed));
}

void InstallationCheck::checkIdioms()
{
    IdiomTable table;
    const QString dataFileName = m_state->programFolder + kIdiomDataFileName;
    const Status status = table.loadIdiomTable(dataFileName);
    QSet<QString> ranges;
    int voicesPresent = 0;
    QStringList voicesMissing;
    for (int line = 1; status.ok() && line <= table.idiomLineCount(); ++line) {
        ranges.insert(table.field(line, IdiomTable::Range));
        const QString stem =
            m_state->programFolder + kVoiceFolder + table.field(line, IdiomTable::Idiom).left(3);
        for (const QChar n : {u'1', u'2'}) {
            const QString voice = stem + n + QStringLiteral(".wav");
            if (QFileInfo::exists(voice))
                ++voicesPresent;
            else
                voicesMissing << voice;
        }
    }
    reportFile(
        companionFileName(dataFileName), status,
        QStringLiteral("熟語 %1 行、範囲 %2 個").arg(table.idiomLineCount()).arg(ranges.size()));
    if (!status.ok())
        return;
    // The drill runs without voices, so missing ones are noted, not counted as a fault.
    note(voicesMissing.isEmpty() ? QStringLiteral("OK") : QStringLiteral("注意"),
         m_state->programFolder + kVoiceFolder,
         QStringLiteral("音声ファイル あり %1、なし %2")
             .arg(voicesPresent)
             .arg(voicesMissing.size()));
}

void InstallationCheck::checkResultFile(const QString& path, int recordLength)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        note(QStringLiteral("OK"), path,
             QStringLiteral("まだありません（最初のテストで作られます）"));
        return;
    }
    const qint64 records = info.size() / recordLength;
    const qint64 tail = info.size() % recordLength;
    if (tail == 0) {
        note(QStringLiteral("OK"), path, QStringLiteral("記録 %1 件").arg(records));
        return;
    }
    // Readers skip a torn tail and the next record is written over it, so the program starts.
    note(QStringLiteral("注意"), path,
         QStringLiteral("記録 %1 件、最後に途中までの記録（%2 バイト）").arg(records).arg(tail));
}

void InstallationCheck::checkCueSounds()
{
    CueTable cues;
    const QString listPath = m_state->soundFolder + kCueListFileName;
    const Status listed = cues.load(listPath);
    reportFile(listPath, listed);
    if (!listed.ok())
        return;
    QStringList files{QStringLiteral("最高1"), QStringLiteral("合格")};
    for (int cue = 1; cue <= CueTable::kCueCount; ++cue)
        for (int row = 1; row <= qMin(cues.countText(cue).toInt(), CueTable::kFileRows); ++row)
            files << cues.fileName(cue, row);
    files.removeDuplicates();
    int decoded = 0;
    for (const QString& name : files) {
        const SoundReply reply =
            PulseSoundOutput::checkDecodes(m_state->soundFolder + name + QStringLiteral(".wav"));
        if (reply.code == 0) {
            ++decoded;
            continue;
        }
        m_ok = false;
        note(QStringLiteral("異常"), m_state->soundFolder + name + QStringLiteral(".wav"),
             QStringLiteral("再生できません: ") + oneLine(reply.errorText));
    }
    note(decoded == files.size() ? QStringLiteral("OK") : QStringLiteral("集計"),
         m_state->soundFolder,
         QStringLiteral("効果音 %1 個のうち %2 個を再生できます").arg(files.size()).arg(decoded));
}
