#include "writing/stroketable.h"

#include <QFile>

namespace {

Status damaged(int line)
{
    return Status::failure(
        QStringLiteral("書き順のデータがこわれています（%1行目）。先生に知らせてください。")
            .arg(line));
}

bool parseStroke(QStringView text, Stroke& stroke)
{
    for (QStringView point : text.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype comma = point.indexOf(u',');
        bool xOk = false;
        bool yOk = false;
        const double x = point.left(comma).toDouble(&xOk);
        const double y = point.mid(comma + 1).toDouble(&yOk);
        if (comma < 0 || !xOk || !yOk || x < 0 || y < 0 || x > StrokeTable::kBox ||
            y > StrokeTable::kBox)
            return false;
        stroke.append(QPointF(x, y));
    }
    return !stroke.isEmpty();
}

} // namespace

Status StrokeTable::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(
            QStringLiteral("書き順のデータ（%1）が読めません。先生に知らせてください。").arg(path));
    return parse(file.readAll());
}

Status StrokeTable::parse(const QByteArray& text)
{
    QHash<QString, Strokes> table;
    QStringList order;
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = QStringView(lines[i]).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        const QString kanji = line.left(tab).toString();
        if (tab <= 0 || table.contains(kanji))
            return damaged(int(i) + 1);
        Strokes strokes;
        for (QStringView part : line.mid(tab + 1).split(u'|')) {
            Stroke stroke;
            if (!parseStroke(part, stroke))
                return damaged(int(i) + 1);
            strokes.append(stroke);
        }
        table.insert(kanji, strokes);
        order.append(kanji);
    }
    if (table.isEmpty())
        return Status::failure(
            QStringLiteral("書き順のデータに字がひとつもありません。先生に知らせてください。"));
    m_strokes = std::move(table);
    m_kanji = std::move(order);
    return Status::success();
}

const Strokes* StrokeTable::strokes(const QString& kanji) const
{
    const auto found = m_strokes.constFind(kanji);
    return found == m_strokes.constEnd() ? nullptr : &found.value();
}
