#include "app/commandline.h"

#include "app/installationcheck.h"
#include "core/settingsfiles.h"
#include "core/userinstallation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstring>

namespace {

const char* const kWindowlessOptions[] = {"--check",    "--help",    "-h",
                                          "--help-all", "--version", "-v"};

QString perUserTop(const FoundInstallation& found)
{
    return QFileInfo(found.programDir).path();
}

} // namespace

bool argumentsNeedWindow(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char* option : kWindowlessOptions)
            if (std::strcmp(argv[i], option) == 0)
                return false;
    return true;
}

CommandLine parseCommandLine(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("四字熟語ドリル: 名前を選び、範囲ごとに練習とテストをします。"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption folder(
        QStringLiteral("folder"),
        QStringLiteral("プログラムのフォルダ（設定.txt のあるフォルダ）を指定します。"),
        QStringLiteral("DIR"));
    const QCommandLineOption check(
        QStringLiteral("check"),
        QStringLiteral("画面を開かずにインストールを確かめ、ファイルごとに1行で報告します。"));
    parser.addOption(folder);
    parser.addOption(check);
    parser.process(app);
    return {parser.value(folder), parser.isSet(check)};
}

int checkInstallation(const FoundInstallation& found, QTextStream& out)
{
    out << describeInstallation(found) << Qt::endl;
    if (!found.status.ok()) {
        out << found.status.message << Qt::endl;
        return kCannotRun;
    }
    QString programDir = found.programDir;
    if (found.way == FoundInstallation::Way::PerUser &&
        !QFileInfo::exists(programDir + u'/' + kSettingsFileName)) {
        programDir = found.templateFolder + u'/' + kProgramFolderName;
        out << QStringLiteral(
                   "まだ作られていません。最初の起動でひな形から作られます。ひな形を確かめます: %1")
                   .arg(programDir)
            << Qt::endl;
    }
    InstallationCheck check(programDir, QDate::currentDate());
    const bool passed = check.run();
    for (const QString& line : check.lines())
        out << line << Qt::endl;
    return passed ? kCheckPassed : kCheckFailed;
}

Status prepareInstallation(const FoundInstallation& found)
{
    if (!found.status.ok() || found.way != FoundInstallation::Way::PerUser ||
        found.templateFolder.isEmpty())
        return found.status;
    return UserInstallation(found.templateFolder, perUserTop(found)).ensure();
}
