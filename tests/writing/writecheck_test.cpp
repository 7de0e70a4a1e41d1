#include "writingfixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

QByteArray line(const char* expect, const char* kanji)
{
    QJsonArray strokes;
    for (const Stroke& stroke : strokesOf(kanji)) {
        QJsonArray points;
        for (const QPointF& p : stroke)
            points.append(QJsonArray{p.x(), p.y()});
        strokes.append(points);
    }
    const QJsonObject object{{QStringLiteral("expect"), QString::fromUtf8(expect)},
                             {QStringLiteral("strokes"), strokes},
                             {QStringLiteral("box"), StrokeTable::kBox}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

struct Checked
{
    int status = -1;
    QStringList lines;
};

Checked check(const QByteArray& input)
{
    QProcess tool;
    tool.start(QStringLiteral(YOJI_WRITE_CHECK), {});
    tool.write(input);
    tool.closeWriteChannel();
    Checked checked;
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return checked;
    checked.status = tool.exitCode();
    checked.lines =
        QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    return checked;
}

} // namespace

// The tool answers each line with the program's grader; a line it cannot read is an error line
// in Japanese and makes the exit status 1, after the lines that follow were still graded.
TEST(WriteCheckTest, TheToolGradesEachLineAndNamesBadOnes)
{
    const Checked good = check(line("末", "末") + line("末", "未"));
    EXPECT_EQ(good.status, 0);
    ASSERT_EQ(good.lines.size(), 2);
    EXPECT_TRUE(good.lines[0].startsWith(QStringLiteral("accept\t")))
        << good.lines[0].toStdString();
    EXPECT_TRUE(good.lines[1].startsWith(QStringLiteral("reject\t")))
        << good.lines[1].toStdString();

    const Checked bad = check("{\"expect\":\"末\",\n" + line("末", "末"));
    EXPECT_EQ(bad.status, 1);
    ASSERT_EQ(bad.lines.size(), 2);
    EXPECT_EQ(bad.lines[0], QStringLiteral("error\t1行目はJSONとして読めません"));
    EXPECT_TRUE(bad.lines[1].startsWith(QStringLiteral("accept\t")));
}
