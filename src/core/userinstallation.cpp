#include "core/userinstallation.h"

#include "core/folderlayout.h"
#include "core/installationfinder.h"
#include "core/settingsfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QString kRosterPath = QStringLiteral("files/") + kRosterFileName;
const QString kRosterTempPath = QStringLiteral("files/") + kRosterTempFileName;

// Without these the program cannot start, so a template lacking one is refused.
const QStringList kRequiredFiles = {
    kProgramFolderName + u'/' + kSettingsFileName,
    kProgramFolderName + u'/' + kItemTimeTableFileName,
    kProgramFolderName + QStringLiteral("/四字02vv.ccc"),
    QStringLiteral("files/") + kCommonDataFileName,
    kRosterPath,
    QStringLiteral("files/新音ファイル.txt"),
};

Status unusableTemplateFile(const QString& path)
{
    return Status::failure(
        QStringLiteral(
            "ひな形のファイル「%1」がないか、読めません。インストールをやり直してください。")
            .arg(path));
}

Status cannotWrite(const QString& path, const QString& reason)
{
    return Status::failure(QStringLiteral("「%1」を作れません（%2）。").arg(path, reason));
}

} // namespace

UserInstallation::UserInstallation(const QString& templateFolder, const QString& top)
    : m_template(templateFolder), m_top(top)
{
}

Status UserInstallation::templateFiles(QStringList& relativePaths) const
{
    const QDir root(m_template);
    QDirIterator it(m_template, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = root.relativeFilePath(it.next());
        if (!relative.startsWith(kVoiceFolderPath + u'/'))
            relativePaths << relative;
    }
    for (const QString& required : kRequiredFiles)
        if (!relativePaths.contains(required))
            return unusableTemplateFile(m_template + u'/' + required);
    for (const QString& relative : relativePaths) {
        QFile file(m_template + u'/' + relative);
        if (!file.open(QIODevice::ReadOnly))
            return unusableTemplateFile(file.fileName());
    }
    return Status::success();
}

Status UserInstallation::ensure() const
{
    QStringList relativePaths;
    if (Status status = templateFiles(relativePaths); !status.ok())
        return status;
    if (QFileInfo(m_top).isDir())
        return fillIn(m_top, relativePaths);

    const QFileInfo top(m_top);
    if (!QDir().mkpath(top.path()))
        return cannotWrite(top.path(), QStringLiteral("フォルダを作れません"));
    QTemporaryDir building(top.path() + u'/' + top.fileName() + QStringLiteral(".new-XXXXXX"));
    if (!building.isValid())
        return cannotWrite(m_top, building.errorString());
    if (Status status = fillIn(building.path(), relativePaths); !status.ok())
        return status;
    if (QDir().rename(building.path(), m_top)) {
        building.setAutoRemove(false);
        return Status::success();
    }
    // Another start made the tree meanwhile: complete that one instead.
    if (QFileInfo(m_top).isDir())
        return fillIn(m_top, relativePaths);
    return cannotWrite(m_top, QStringLiteral("名前を変えられません"));
}

Status UserInstallation::fillIn(const QString& top, const QStringList& relativePaths) const
{
    // A roster missing beside the temporary one is a replacement that another program of the
    // family left half done. The pupils' names are in the temporary file, and the name
    // screen's recovery renames it into place only while the roster cannot be opened.
    const bool rosterBeingReplaced = QFileInfo::exists(top + u'/' + kRosterTempPath);
    for (const QString& relative : relativePaths) {
        if (relative == kRosterPath && rosterBeingReplaced)
            continue;
        if (Status status = copyIfMissing(top, relative); !status.ok())
            return status;
    }
    return linkVoicesIfMissing(top);
}

Status UserInstallation::copyIfMissing(const QString& top, const QString& relativePath) const
{
    const QString target = top + u'/' + relativePath;
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return Status::success();
    if (!QDir().mkpath(QFileInfo(target).path()))
        return cannotWrite(QFileInfo(target).path(), QStringLiteral("フォルダを作れません"));
    // Copied under another name and renamed, so an interrupted copy is never taken for the file.
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    QFile source(m_template + u'/' + relativePath);
    if (!source.copy(part))
        return cannotWrite(target, source.errorString());
    QFile copy(part);
    copy.setPermissions(copy.permissions() | QFile::WriteOwner | QFile::ReadOwner);
    if (!copy.rename(target)) {
        QFile::remove(part);
        if (!QFileInfo::exists(target))
            return cannotWrite(target, copy.errorString());
    }
    return Status::success();
}

Status UserInstallation::linkVoicesIfMissing(const QString& top) const
{
    const QFileInfo voices(m_template + u'/' + kVoiceFolderPath);
    const QString link = top + u'/' + kVoiceFolderPath;
    if (!voices.isDir() || QFileInfo(link).isSymLink() || QFileInfo::exists(link))
        return Status::success();
    if (!QFile::link(voices.absoluteFilePath(), link))
        return cannotWrite(link, QStringLiteral("リンクを作れません"));
    return Status::success();
}
