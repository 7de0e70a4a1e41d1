#include "core/folderlayout.h"

#include <gtest/gtest.h>

TEST(FolderLayout, LayoutOneKeepsSharedDataAndSoundsInTheSiblingFiles)
{
    const FolderLayout f = computeFolderLayout(QStringLiteral("/home/juku/四字熟語"), 1);
    EXPECT_EQ(f.programFolder, QStringLiteral("/home/juku/四字熟語/"));
    EXPECT_EQ(f.programFolderName, QStringLiteral("四字熟語"));
    EXPECT_EQ(f.commonFolder, QStringLiteral("/home/juku/四字熟語/../files/"));
    EXPECT_EQ(f.dataFolder, QStringLiteral("/home/juku/四字熟語/"));
    // The same folder as commonFolder, reached once more through its parent.
    EXPECT_EQ(f.soundFolder, QStringLiteral("/home/juku/四字熟語/../files/../files/"));
}

TEST(FolderLayout, OtherLayoutsUseTheParentFolderAndTheSoundFolder)
{
    for (int flag : {0, 2, -1}) {
        const FolderLayout f = computeFolderLayout(QStringLiteral("/srv/a/drill"), flag);
        EXPECT_EQ(f.commonFolder, QStringLiteral("/srv/a/drill/../"));
        EXPECT_EQ(f.dataFolder, QStringLiteral("/srv/a/drill/../drill/"));
        EXPECT_EQ(f.soundFolder, QStringLiteral("/srv/a/drill/../音フォルダ/"));
    }
}

TEST(FolderLayout, ProgramFolderDirectlyBelowTheRoot)
{
    const FolderLayout f = computeFolderLayout(QStringLiteral("/drill"), 0);
    EXPECT_EQ(f.programFolderName, QStringLiteral("drill"));
    EXPECT_EQ(f.programFolder, QStringLiteral("/drill/"));
    EXPECT_EQ(f.dataFolder, QStringLiteral("/drill/../drill/"));
    EXPECT_EQ(f.soundFolder, QStringLiteral("/drill/../音フォルダ/"));
}
