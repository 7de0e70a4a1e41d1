#pragma once

#include "platform/status.h"

#include <QString>
#include <QStringList>

// Everything the search for the program folder looks at, so that tests can point each part
// at a temporary folder.
struct InstallationSearch
{
    QString commandLineFolder;     // --folder, empty when not given
    QStringList siteConfigFolders; // system configuration folders, most important first
    QString executableFolder;      // folder of the running program
    QString userDataFolder;        // the user's data folder (XDG data home)
    QStringList templateFolders;   // candidate folders of the installed template, in order

    // The folders of this machine and user for the program running from executableFolder.
    static InstallationSearch fromSystem(const QString& commandLineFolder,
                                         const QString& executableFolder);
};

struct FoundInstallation
{
    enum class Way { CommandLine, SiteSetting, ExecutableFolder, PerUser };

    Status status;
    Way way = Way::CommandLine;
    QString programDir;     // without a trailing "/"
    QString templateFolder; // PerUser only: where the first start copies from
    QString siteFile;       // SiteSetting only: the file that named the folder
};

// The site setting: <config folder>/yojidrill/yojidrill.conf, key ProgramFolder.
inline const QString kSiteSettingFile = QStringLiteral("yojidrill/yojidrill.conf");
inline const QString kSiteProgramFolderKey = QStringLiteral("ProgramFolder");
// The per-user installation and the installed template share this layout-1 shape.
inline const QString kProgramFolderName = QStringLiteral("四字熟語");
inline const QString kUserInstallationName = QStringLiteral("yojidrill");

// The program folder, from the first way that applies: the command line, a site setting, the
// executable's folder when it holds 設定.txt, and last the per-user installation (which may
// still have to be created from the template).
FoundInstallation findInstallation(const InstallationSearch& search);

// The folders of the program's installed read-only data (template, help book): the
// executable's own prefix first, so that an installation into any prefix finds its own copy,
// then the system's data folders.
QStringList installedDataFolders(const QString& executableFolder);

// A line for people: which way was taken and where it leads.
QString describeInstallation(const FoundInstallation& found);
