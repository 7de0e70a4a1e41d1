#include "core/folderlayout.h"

FolderLayout computeFolderLayout(const QString& programDir, int layoutFlag)
{
    FolderLayout folders;
    folders.programFolder = programDir + u'/';
    folders.programFolderName = programDir.mid(programDir.lastIndexOf(u'/') + 1);
    if (layoutFlag == 1) {
        folders.commonFolder = programDir + QStringLiteral("/../files/");
        folders.dataFolder = programDir + u'/';
        folders.soundFolder = folders.commonFolder + QStringLiteral("../") + QStringLiteral("files/");
    } else {
        folders.commonFolder = programDir + QStringLiteral("/../");
        folders.dataFolder = folders.commonFolder + folders.programFolderName + u'/';
        folders.soundFolder = folders.commonFolder + QStringLiteral("音フォルダ") + u'/';
    }
    return folders;
}
