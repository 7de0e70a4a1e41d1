#include "core/installationfinder.h"

#include "core/settingsfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

InstallationSearch InstallationSearch::fromSystem(const QString& commandLineFolder,
                                                  const QString& executableFolder)
{
    InstallationSearch search;
    search.commandLineFolder = commandLineFolder;
    search.siteConfigFolders =
        QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    search.executableFolder = executableFolder;
    search.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    for (const QString& folder : installedDataFolders(executableFolder))
        search.templateFolders << folder + QStringLiteral("/template");
    return search;
}

QStringList installedDataFolders(const QString& executableFolder)
{
    QStringList folders{executableFolder + QStringLiteral("/../share/yojidrill")};
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << folder + QStringLiteral("/yojidrill");
    return folders;
}

namespace {

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

bool siteSetting(const QStringList& configFolders, FoundInstallation& found)
{
    for (const QString& folder : configFolders) {
        const QString file = folder + u'/' + kSiteSettingFile;
        if (!QFileInfo::exists(file))
            continue;
        const QSettings settings(file, QSettings::IniFormat);
        const QString programFolder = settings.value(kSiteProgramFolderKey).toString().trimmed();
        if (programFolder.isEmpty())
            continue;
        found.way = FoundInstallation::Way::SiteSetting;
        found.siteFile = file;
        found.programDir = withoutTrailingSlash(programFolder);
        return true;
    }
    return false;
}

} // namespace

FoundInstallation findInstallation(const InstallationSearch& search)
{
    FoundInstallation found;
    if (!search.commandLineFolder.isEmpty()) {
        found.programDir = withoutTrailingSlash(search.commandLineFolder);
        if (!QFileInfo(found.programDir).isDir())
            found.status = Status::failure(
                QStringLiteral("指定されたフォルダ「%1」がありません。").arg(found.programDir));
        return found;
    }
    if (siteSetting(search.siteConfigFolders, found))
        return found;
    if (QFileInfo::exists(search.executableFolder + u'/' + kSettingsFileName)) {
        found.way = FoundInstallation::Way::ExecutableFolder;
        found.programDir = search.executableFolder;
        return found;
    }
    found.way = FoundInstallation::Way::PerUser;
    found.programDir =
        search.userDataFolder + u'/' + kUserInstallationName + u'/' + kProgramFolderName;
    for (const QString& folder : search.templateFolders) {
        if (QFileInfo(folder).isDir()) {
            found.templateFolder = QDir::cleanPath(folder);
            return found;
        }
    }
    if (!QFileInfo::exists(found.programDir + u'/' + kSettingsFileName))
        found.status = Status::failure(
            QStringLiteral("プログラムのフォルダが見つかりません。インストールされたひな形（%1）も"
                           "ありません。--folder でフォルダを指定してください。")
                .arg(search.templateFolders.join(QStringLiteral("、"))));
    return found;
}

QString describeInstallation(const FoundInstallation& found)
{
    switch (found.way) {
    case FoundInstallation::Way::CommandLine:
        return QStringLiteral("プログラムのフォルダ（--folder）: %1").arg(found.programDir);
    case FoundInstallation::Way::SiteSetting:
        return QStringLiteral("プログラムのフォルダ（%1 の設定）: %2")
            .arg(found.siteFile, found.programDir);
    case FoundInstallation::Way::ExecutableFolder:
        return QStringLiteral("プログラムのフォルダ（実行ファイルのフォルダ）: %1")
            .arg(found.programDir);
    case FoundInstallation::Way::PerUser:
        break;
    }
    return QStringLiteral("プログラムのフォルダ（利用者ごとのインストール）: %1")
        .arg(found.programDir);
}
