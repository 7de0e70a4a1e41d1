#include "core/sharedstate.h"
#include "core/startup.h"
#include "fakes.h"
#include "testinstallation.h"

#include <QDirIterator>

#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList filesBelow(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

class Startup : public ::testing::Test
{
protected:
    bool start()
    {
        return Main(*state, inst.programDir(), messages, [this] {
            ++cueLoads;
            return Status::success();
        });
    }
    // The start failed with one message that names the file, and wrote nothing.
    void expectStoppedNaming(const QString& fileName, const QString& detail = QString())
    {
        const QStringList before = filesBelow(inst.root());
        EXPECT_FALSE(start());
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown.at(0).title, kStartupFailureTitle);
        EXPECT_TRUE(messages.shown.at(0).text.contains(fileName))
            << messages.shown.at(0).text.toStdString();
        EXPECT_TRUE(messages.shown.at(0).text.contains(detail));
        EXPECT_EQ(cueLoads, 0);
        EXPECT_EQ(filesBelow(inst.root()), before);
    }

    TestInstallation inst;
    FakeMessageBox messages;
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    int cueLoads = 0;
};

} // namespace

TEST_F(Startup, ValidInstallationFillsTheSharedState)
{
    inst.writeValidSettings();
    ASSERT_TRUE(start());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(cueLoads, 1);
    EXPECT_EQ(state->accentColour, 0x808000u);
    EXPECT_EQ(state->layoutFlag, 1);
    EXPECT_EQ(state->programFolder, inst.programDir() + u'/');
    EXPECT_EQ(state->programFolderName, QStringLiteral("prog"));
    EXPECT_EQ(state->commonFolder, inst.programDir() + QStringLiteral("/../files/"));
    EXPECT_EQ(state->soundFolder, inst.programDir() + QStringLiteral("/../files/../files/"));
    EXPECT_EQ(state->schoolCode, QStringLiteral("12345"));
    EXPECT_EQ(state->schoolName, QStringLiteral("テスト教室"));
    EXPECT_EQ(state->contentName, QStringLiteral("Sorawa"));
    EXPECT_EQ(state->printEnabled, 1);
    EXPECT_EQ(state->homeEdition, 1);
    EXPECT_EQ(state->itemLimitTime[7], 207);
}

TEST_F(Startup, MissingCommonDataStopsWithAMessageNamingIt)
{
    inst.writeValidSettings();
    inst.remove(QStringLiteral("files/共通データ.txt"));
    expectStoppedNaming(QStringLiteral("共通データ.txt"));
}

TEST_F(Startup, ShortSettingsFileStopsWithAMessageNamingIt)
{
    inst.writeValidSettings();
    inst.writeText(QStringLiteral("prog/設定.txt"), QStringLiteral("1,0,0\n"));
    expectStoppedNaming(QStringLiteral("設定.txt"));
}

TEST_F(Startup, ZeroLimitTimeStopsWithAMessageNamingTheItem)
{
    inst.writeValidSettings();
    QString table = TestInstallation::timeTableText(20);
    table.replace(QStringLiteral("107,207,"), QStringLiteral("107,0,"));
    inst.writeText(QStringLiteral("prog/タイム回数データ.txt"), table);
    expectStoppedNaming(QStringLiteral("タイム回数データ.txt"), QStringLiteral("項目7"));
}

TEST_F(Startup, FilesWhoseLastValueIsLeftEmptyAfterACommaStart)
{
    // As spreadsheet programs save them: unused values left empty, with or without a final
    // line end.
    for (const QString& lastLineEnd : {QStringLiteral("\n"), QString()}) {
        inst.writeValidSettings();
        inst.writeText(QStringLiteral("prog/設定.txt"),
                       QStringLiteral("1,0,0,0,0,0,0,0,0,") + lastLineEnd);
        inst.writeText(QStringLiteral("files/共通データ.txt"),
                       QStringLiteral("4,\"12345テスト教室\",1,0,,,,,,") + lastLineEnd);
        inst.writeText(QStringLiteral("prog/タイム回数データ.txt"),
                       TestInstallation::timeTableText(19) +
                           QStringLiteral("120,220,30,3,1.5,3,30,7,30,,,") + lastLineEnd);
        state = std::make_unique<SharedState>();
        ASSERT_TRUE(start()) << messages.shown.value(0).text.toStdString();
        EXPECT_EQ(state->layoutFlag, 1);
        EXPECT_EQ(state->schoolName, QStringLiteral("テスト教室"));
        EXPECT_EQ(state->commonOption3, 1);
        EXPECT_EQ(state->commonExtra[6], QString());
        EXPECT_EQ(state->itemTargetTime[20], 120);
        EXPECT_EQ(state->itemLimitTime[20], 220);
        EXPECT_EQ(state->itemText9[20], QStringLiteral("30"));
        EXPECT_EQ(state->itemText12[20], QString());
        EXPECT_EQ(state->itemTargetTime[21], 0);
    }
}

TEST_F(Startup, FilesEndingInCtrlZAndHoldingControlBytesStartWithTheBytesWritten)
{
    inst.writeValidSettings();
    inst.writeBytes(QStringLiteral("prog/設定.txt"), "1,0,0,0,0,0,0,0,0,\x1c\x7f\r\n\x1a");
    inst.writeBytes(QStringLiteral("files/共通データ.txt"),
                    QByteArray("4,\"12345\x7f\x1c\",0,0,0,0,0,0,0,0\r\n\x1a"));
    inst.writeBytes(QStringLiteral("prog/タイム回数データ.txt"),
                    TestInstallation::timeTableText(19).replace("\n", "\r\n").toLatin1() +
                        "120,220,30,3,1.5,3,30,7,30,\x1c,\x7f,x\x1cy\x7f\r\n\x1a");
    ASSERT_TRUE(start()) << messages.shown.value(0).text.toStdString();
    EXPECT_EQ(state->schoolName, QStringLiteral("\x7f\x1c"));
    EXPECT_EQ(state->itemText10[20], QStringLiteral("\x1c"));
    EXPECT_EQ(state->itemText11[20], QStringLiteral("\x7f"));
    EXPECT_EQ(state->itemText12[20], QStringLiteral("x\x1cy\x7f"));
    EXPECT_EQ(state->itemTargetTime[21], 0);
    EXPECT_EQ(state->itemText6[21], QString());
}

TEST_F(Startup, AMultiplierOutside0To1000StopsWithAMessageNamingTheItem)
{
    inst.writeValidSettings();
    for (const QString& multiplier : {QStringLiteral("1001"), QStringLiteral("-0.5")}) {
        QString table = TestInstallation::timeTableText(20);
        table.replace(QStringLiteral("109,209,30,3,1.5,"),
                      QStringLiteral("109,209,30,3,") + multiplier + u',');
        inst.writeText(QStringLiteral("prog/タイム回数データ.txt"), table);
        messages.shown.clear();
        expectStoppedNaming(QStringLiteral("タイム回数データ.txt"), QStringLiteral("項目9"));
    }
    QString table = TestInstallation::timeTableText(20);
    table.replace(QStringLiteral("109,209,30,3,1.5,"), QStringLiteral("109,209,30,3,1000,"));
    inst.writeText(QStringLiteral("prog/タイム回数データ.txt"), table);
    messages.shown.clear();
    EXPECT_TRUE(start());
}

TEST_F(Startup, ACueListProblemStopsTheStart)
{
    inst.writeValidSettings();
    EXPECT_FALSE(Main(*state, inst.programDir(), messages,
                      [] { return Status::failure(QStringLiteral("新音ファイル.txt がない")); }));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.at(0).text.contains(QStringLiteral("新音ファイル.txt")));
}
