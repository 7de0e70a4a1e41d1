#include "print/pagetarget.h"
#include "print/practicesheet.h"
#include "print/qtprintdevices.h"
#include "writing/stroketable.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PracticeSheetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(strokes.load(StrokeTable::kBuiltInPath).ok());
    }
    // The pages of the PDF as text, one string a page.
    QStringList writeAndRead(const std::vector<MissedKanji>& kanji, const QString& title)
    {
        const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
        const Status written = PracticeSheet(kanji, title, strokes).writePdf(path, devices);
        EXPECT_TRUE(written.ok()) << written.message.toStdString();
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        EXPECT_TRUE(pdftotext.waitForFinished()) << "pdftotext (poppler-utils) is needed";
        QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
        pages.removeLast(); // after the last page's form feed
        return pages;
    }

    QTemporaryDir folder;
    StrokeTable strokes;
    QtPrintDevices devices;
};

} // namespace

TEST_F(PracticeSheetTest, EveryKanjiIsPrintedWithItsIdiomAndReading)
{
    // 鬱 is not in the stroke table: its row goes without a stroke-order figure.
    const std::vector<MissedKanji> kanji{
        {QStringLiteral("鳥"), QStringLiteral("一石二鳥"), QStringLiteral("いっせきにちょう")},
        {QStringLiteral("鬱"), QStringLiteral("鬱鬱勃勃"), QStringLiteral("うつうつぼつぼつ")}};
    ASSERT_EQ(strokes.strokes(QStringLiteral("鬱")), nullptr);
    const QStringList pages = writeAndRead(kanji, QStringLiteral("3年1組 山田花子"));
    ASSERT_EQ(pages.size(), 1);
    // The help book's picture of a sheet, kept when YOJI_SCREENSHOT_DIR is set.
    if (const QString shots = qEnvironmentVariable("YOJI_SCREENSHOT_DIR"); !shots.isEmpty())
        QFile::copy(folder.filePath(QStringLiteral("sheet.pdf")),
                    QDir(shots).filePath(QStringLiteral("practice-sheet.pdf")));
    const QString text = pages.first();
    EXPECT_TRUE(text.contains(QStringLiteral("山田花子")));
    for (const MissedKanji& k : kanji) {
        EXPECT_TRUE(text.contains(QStringLiteral("「%1」").arg(k.kanji))) << k.kanji.toStdString();
        EXPECT_TRUE(text.contains(k.idiom)) << k.idiom.toStdString();
        EXPECT_TRUE(text.contains(k.reading)) << k.reading.toStdString();
    }
}

TEST_F(PracticeSheetTest, ALongListGoesOnAsManyPagesAsItNeedsInItsOrder)
{
    const int perPage = PracticeSheet::rowsPerPage(PageGeometry::printableRectMm(true).height());
    ASSERT_GT(perPage, 1);
    // Two full pages and not a blank third.
    const QString all =
        QStringLiteral("一七万三上下不世中丸丹主九乱乳事二互五亡交人今").left(2 * perPage);
    ASSERT_EQ(all.size(), 2 * perPage);
    std::vector<MissedKanji> kanji;
    for (const QChar c : all)
        kanji.push_back({c, QString(c) + QStringLiteral("石二鳥"), QStringLiteral("よみ")});
    const QStringList pages = writeAndRead(kanji, {});
    ASSERT_EQ(pages.size(), (all.size() + perPage - 1) / perPage);
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QString label = QStringLiteral("「%1」").arg(all[i]);
        EXPECT_TRUE(pages[i / perPage].contains(label)) << i;
        EXPECT_EQ(pages.join(QString()).count(label), 1) << i;
    }
    EXPECT_TRUE(pages.last().contains(QStringLiteral("%1/%1まい").arg(pages.size())));
}
