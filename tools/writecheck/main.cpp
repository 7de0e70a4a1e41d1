// Grades handwritten kanji given as JSON lines with the program's own writing grader, so the
// grader's answers can be checked from a shell or a script without the drill screen.
//
//   yoji-write-check [--table strokes.txt] [FILE]
//
// Each line: {"expect":"末","strokes":[[[x,y],...],...],"box":109} with "order":true for
// 「書き順も見る」. Prints one line per input line: accept, near or reject, a tab and the reason,
// or "error", a tab and what is wrong with the line. Exits 1 when any line was wrong, else 0.
#include "writing/writinggrader.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

// The strokes of a JSON line, or an empty list when they are not arrays of [x, y] pairs.
Strokes strokesOf(const QJsonArray& array)
{
    Strokes strokes;
    for (const QJsonValue& strokeValue : array) {
        Stroke stroke;
        for (const QJsonValue& pointValue : strokeValue.toArray()) {
            const QJsonArray point = pointValue.toArray();
            if (point.size() != 2 || !point[0].isDouble() || !point[1].isDouble())
                return {};
            stroke.append(QPointF(point[0].toDouble(), point[1].toDouble()));
        }
        if (stroke.isEmpty())
            return {};
        strokes.append(stroke);
    }
    return strokes;
}

// The verdict for one line, or the Japanese message that says why it cannot be graded.
QString grade(const StrokeTable& table, const QByteArray& line, int number, bool& bad)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    const QJsonObject object = document.object();
    const Strokes written = strokesOf(object.value(QStringLiteral("strokes")).toArray());
    const double box = object.value(QStringLiteral("box")).toDouble(StrokeTable::kBox);
    const QString expect = object.value(QStringLiteral("expect")).toString();
    bad = true;
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return QStringLiteral("error\t%1行目はJSONとして読めません").arg(number);
    if (written.isEmpty() || box <= 0)
        return QStringLiteral("error\t%1行目の strokes または box の形がちがいます").arg(number);
    const Strokes* model = table.strokes(expect);
    if (!model)
        return QStringLiteral("error\t%1行目：「%2」の書き順のデータがありません")
            .arg(number)
            .arg(expect);
    bad = false;
    const bool order = object.value(QStringLiteral("order")).toBool(false);
    const WritingGrade result = gradeWriting(*model, written, box, order);
    return verdictName(result.verdict) + u'\t' + result.reason;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    QString tablePath = QStringLiteral(YOJI_STROKE_TABLE);
    if (args.size() >= 2 && args[0] == QStringLiteral("--table")) {
        tablePath = args[1];
        args = args.mid(2);
    }
    if (args.size() > 1 || (!args.isEmpty() && args[0].startsWith(u'-'))) {
        err << "usage: yoji-write-check [--table strokes.txt] [FILE]\n";
        return 2;
    }
    StrokeTable table;
    const Status loaded = table.load(tablePath);
    if (!loaded.ok()) {
        err << loaded.message << "\n";
        return 2;
    }
    QFile input(args.value(0));
    const bool opened =
        args.isEmpty() ? input.open(stdin, QIODevice::ReadOnly) : input.open(QIODevice::ReadOnly);
    if (!opened) {
        err << args.value(0) << " を読めません（" << input.errorString() << "）。\n";
        return 2;
    }
    int number = 0;
    bool anyBad = false;
    while (!input.atEnd()) {
        const QByteArray line = input.readLine().trimmed();
        ++number;
        if (line.isEmpty())
            continue;
        bool bad = false;
        out << grade(table, line, number, bad) << "\n";
        anyBad = anyBad || bad;
    }
    return anyBad ? 1 : 0;
}
