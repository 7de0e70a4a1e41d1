#include "app/commandline.h"
#include "app/programrun.h"
#include "core/startup.h"
#include "platform/qtmessagebox.h"

#include <QApplication>
#include <QFont>
#include <QTextStream>

#include <memory>

int main(int argc, char* argv[])
{
    const std::unique_ptr<QCoreApplication> app(argumentsNeedWindow(argc, argv)
                                                    ? new QApplication(argc, argv)
                                                    : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("yojidrill"));
    QCoreApplication::setApplicationVersion(QStringLiteral(YOJI_VERSION));
    const CommandLine options = parseCommandLine(*app);
    const FoundInstallation found = findInstallation(
        InstallationSearch::fromSystem(options.folder, QCoreApplication::applicationDirPath()));
    if (options.check) {
        QTextStream out(stdout);
        return checkInstallation(found, out);
    }

    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 11));
    QtMessageBox messages;
    if (const Status prepared = prepareInstallation(found); !prepared.ok()) {
        messages.show(kStartupFailureTitle, prepared.message);
        return kCannotRun;
    }
    return runProgram(found.programDir, messages);
}
