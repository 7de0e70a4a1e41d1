#include "core/installationfinder.h"
#include "core/userinstallation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every entry below root (symbolic links not followed) with its bytes and modification time.
std::map<QString, QString> snapshot(const QString& root)
{
    std::map<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries[info.filePath()] =
            info.isSymLink() ? QStringLiteral("link ") + info.symLinkTarget()
                             : QString::number(info.lastModified().toMSecsSinceEpoch()) + u' ' +
                                   QString::fromUtf8(info.isDir() ? QByteArray("dir")
                                                                  : readFile(info.filePath()));
    }
    return entries;
}

TEST(InstallationFinder, EachWayWinsOverTheOnesAfterIt)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    writeFile(root + QStringLiteral("/etc/yojidrill/yojidrill.conf"),
              "[General]\nProgramFolder=/srv/juku/四字熟語/\n");
    writeFile(root + QStringLiteral("/bin/設定.txt"), "1\r\n");
    QDir().mkpath(root + QStringLiteral("/cli"));
    QDir().mkpath(root + QStringLiteral("/share/template"));
    InstallationSearch search{
        root + QStringLiteral("/cli"),
        {root + QStringLiteral("/none"), root + QStringLiteral("/etc")},
        root + QStringLiteral("/bin"),
        root + QStringLiteral("/home"),
        {root + QStringLiteral("/nowhere"), root + QStringLiteral("/share/template")}};

    FoundInstallation found = findInstallation(search);
    EXPECT_EQ(found.way, FoundInstallation::Way::CommandLine);
    EXPECT_EQ(found.programDir, root + QStringLiteral("/cli"));

    search.commandLineFolder.clear();
    found = findInstallation(search);
    EXPECT_EQ(found.way, FoundInstallation::Way::SiteSetting);
    EXPECT_EQ(found.programDir, QStringLiteral("/srv/juku/四字熟語"));

    QFile::remove(root + QStringLiteral("/etc/yojidrill/yojidrill.conf"));
    found = findInstallation(search);
    EXPECT_EQ(found.way, FoundInstallation::Way::ExecutableFolder);
    EXPECT_EQ(found.programDir, root + QStringLiteral("/bin"));

    QFile::remove(root + QStringLiteral("/bin/設定.txt"));
    found = findInstallation(search);
    EXPECT_EQ(found.way, FoundInstallation::Way::PerUser);
    EXPECT_TRUE(found.status.ok());
    EXPECT_EQ(found.programDir, root + QStringLiteral("/home/yojidrill/四字熟語"));
    EXPECT_EQ(found.templateFolder, root + QStringLiteral("/share/template"));

    search.templateFolders.removeLast();
    EXPECT_FALSE(findInstallation(search).status.ok());
    search.commandLineFolder = root + QStringLiteral("/missing");
    EXPECT_TRUE(findInstallation(search).status.message.contains(QStringLiteral("/missing")));
}

class FirstStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* file :
             {"四字熟語/設定.txt", "四字熟語/タイム回数データ.txt", "四字熟語/四字02vv.ccc",
              "files/共通データ.txt", "files/生徒用名簿.txt", "files/新音ファイル.txt",
              "files/ok1.wav", "四字熟語/四字熟語音声/一石二1.wav"})
            writeFile(templ() + u'/' + QString::fromUtf8(file), QByteArray("template ") + file);
    }
    QString templ() const { return m_dir.path() + QStringLiteral("/share/template"); }
    QString top() const { return m_dir.path() + QStringLiteral("/home/yojidrill"); }
    QStringList entriesBesideTop() const
    {
        return QDir(m_dir.path() + QStringLiteral("/home"))
            .entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    }

    QTemporaryDir m_dir;
};

TEST_F(FirstStart, MakesACompleteTreeWithTheVoicesLinkedAndASecondStartChangesNothing)
{
    ASSERT_TRUE(UserInstallation(templ(), top()).ensure().ok());

    for (const char* file :
         {"四字熟語/設定.txt", "四字熟語/四字02vv.ccc", "files/生徒用名簿.txt", "files/ok1.wav"})
        EXPECT_EQ(readFile(top() + u'/' + QString::fromUtf8(file)),
                  readFile(templ() + u'/' + QString::fromUtf8(file)));
    const QFileInfo voices(top() + QStringLiteral("/四字熟語/四字熟語音声"));
    EXPECT_TRUE(voices.isSymLink());
    EXPECT_EQ(voices.symLinkTarget(), templ() + QStringLiteral("/四字熟語/四字熟語音声"));
    EXPECT_EQ(entriesBesideTop(), QStringList{QStringLiteral("yojidrill")});

    const auto before = snapshot(top());
    ASSERT_TRUE(UserInstallation(templ(), top()).ensure().ok());
    EXPECT_EQ(snapshot(top()), before);
}

TEST_F(FirstStart, LeavesThePupilsFilesByteForByteAndAddsOnlyWhatIsMissing)
{
    const QByteArray roster = "1,2015,0,0,\"わたしの子\",0,\"\",\"\"\r\n";
    const QByteArray results(88, '\x07');
    const QByteArray homeResults(66, '\x05');
    writeFile(top() + QStringLiteral("/files/生徒用名簿.txt"), roster);
    writeFile(top() + QStringLiteral("/四字熟語/成績累積データ.dat"), results);
    writeFile(top() + QStringLiteral("/files/成績累積データ家庭用.dat"), homeResults);

    ASSERT_TRUE(UserInstallation(templ(), top()).ensure().ok());

    EXPECT_EQ(readFile(top() + QStringLiteral("/files/生徒用名簿.txt")), roster);
    EXPECT_EQ(readFile(top() + QStringLiteral("/四字熟語/成績累積データ.dat")), results);
    EXPECT_EQ(readFile(top() + QStringLiteral("/files/成績累積データ家庭用.dat")), homeResults);
    EXPECT_EQ(readFile(top() + QStringLiteral("/四字熟語/設定.txt")), "template 四字熟語/設定.txt");
    EXPECT_TRUE(QFileInfo(top() + QStringLiteral("/四字熟語/四字熟語音声")).isSymLink());
}

TEST_F(FirstStart, AMissingTemplateFileIsNamedAndNothingIsCreated)
{
    QFile::remove(templ() + QStringLiteral("/files/新音ファイル.txt"));
    const Status status = UserInstallation(templ(), top()).ensure();
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message.contains(templ() + QStringLiteral("/files/新音ファイル.txt")))
        << status.message.toStdString();
    EXPECT_TRUE(entriesBesideTop().isEmpty());
    // A tree that cannot be completed now is still completed once the template is whole.
    writeFile(templ() + QStringLiteral("/files/新音ファイル.txt"), "cues");
    EXPECT_TRUE(UserInstallation(templ(), top()).ensure().ok());
    EXPECT_EQ(readFile(top() + QStringLiteral("/files/新音ファイル.txt")), "cues");
}

} // namespace
