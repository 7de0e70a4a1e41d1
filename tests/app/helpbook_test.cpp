#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <gtest/gtest.h>

// The book as it is installed: every link and every picture of every page leads to a file of
// the book, and every "#anchor" to a place in its page. Nothing leads off the machine.
TEST(HelpBookTest, EveryLinkAndPictureOfTheBookResolves)
{
    const QDir book(QStringLiteral(YOJI_HELP_BOOK));
    ASSERT_TRUE(book.exists(QStringLiteral("Sorawa.html")));
    const auto read = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    const QRegularExpression reference(QStringLiteral(R"re((?:href|src)="([^"]*)")re"));
    int checked = 0;
    QDirIterator pages(book.path(), {QStringLiteral("*.html")}, QDir::Files);
    while (pages.hasNext()) {
        const QString page = pages.next();
        for (const QRegularExpressionMatch& match : reference.globalMatch(read(page))) {
            const QString target = match.captured(1);
            SCOPED_TRACE((QFileInfo(page).fileName() + u' ' + target).toStdString());
            const QUrl url(target);
            ASSERT_TRUE(url.isRelative());
            const QString file =
                url.path().isEmpty() ? page : QFileInfo(page).dir().filePath(url.path());
            EXPECT_TRUE(QFileInfo(file).isFile());
            if (url.hasFragment()) {
                EXPECT_TRUE(read(file).contains(QStringLiteral("name=\"%1\"").arg(url.fragment())));
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 40);
}
