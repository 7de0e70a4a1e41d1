#pragma once

#include <QString>

// The roster in commonFolder, and the name under which the family's programs write its
// replacement before they rename it into place.
inline const QString kRosterFileName = QStringLiteral("生徒用名簿.txt");
inline const QString kRosterTempFileName = QStringLiteral("生徒用名簿temp.txt");

// The folders of an installation, each ending with "/". They are built by plain
// concatenation, so ".." stays in the text: other programs of the family build the same
// strings, and the stored paths must match theirs.
struct FolderLayout
{
    QString programFolder;
    QString programFolderName;
    QString commonFolder;
    QString dataFolder;
    QString soundFolder;
};

// programDir is the folder of the executable without a trailing "/". Layout 1 keeps shared
// data and sounds in a sibling folder "files" and the records in the program folder; any
// other layout keeps shared data in the parent folder and sounds in "音フォルダ".
FolderLayout computeFolderLayout(const QString& programDir, int layoutFlag);
