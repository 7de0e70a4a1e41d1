#include "drill/idiomsource.h"

#include "core/codepage.h"
#include "drill/idiomcompanion.h"

#include <QSaveFile>
#include <QSet>

#include <map>

namespace IdiomSource {

namespace {

constexpr int kFieldCount = 4;
constexpr int kIdiomLength = 4;
constexpr int kShortestReading = 4;
constexpr int kDecoyTiles = 12;

bool isHiragana(QChar c)
{
    return (c.unicode() >= 0x3041 && c.unicode() <= 0x3096) || c.unicode() == 0x30FC;
}

// Splits one line at commas; a field in double quotes may hold "" for a quote. Sets
// *commaInField when a quoted field holds a comma, *unclosed when a quote is not closed.
QStringList splitCells(const QString& line, bool* commaInField, bool* unclosed)
{
    QStringList cells;
    qsizetype i = 0;
    for (;;) {
        QString cell;
        if (i < line.size() && line.at(i) == u'"') {
            ++i;
            for (;;) {
                if (i >= line.size()) {
                    *unclosed = true;
                    return cells;
                }
                if (line.at(i) == u'"') {
                    if (i + 1 < line.size() && line.at(i + 1) == u'"') {
                        cell += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (line.at(i) == u',')
                    *commaInField = true;
                cell += line.at(i++);
            }
            // Text between the closing quote and the next comma belongs to the same field.
            while (i < line.size() && line.at(i) != u',')
                cell += line.at(i++);
        } else {
            while (i < line.size() && line.at(i) != u',')
                cell += line.at(i++);
        }
        cells.append(cell);
        if (i >= line.size())
            return cells;
        ++i; // the comma
    }
}

QString firstUnstorable(const QString& text)
{
    for (const QChar c : text) {
        bool ok = false;
        CodePage::encode(QString(c), &ok);
        if (!ok)
            return QString(c);
    }
    return {};
}

// The reason a line cannot be stored, or an empty text.
QString rowProblem(const QStringList& cells)
{
    if (cells.size() != kFieldCount)
        return QStringLiteral("項目が%1個あります。範囲,四字熟語,読み,意味の4つにしてください"
                              "（項目の中にコンマは使えません。「、」は使えます）。")
            .arg(cells.size());
    const QString& range = cells.at(0);
    const QString& idiom = cells.at(1);
    const QString& reading = cells.at(2);
    const QString& meaning = cells.at(3);
    bool numeric = !range.isEmpty() && range.size() <= 2;
    for (const QChar c : range)
        numeric = numeric && c >= u'0' && c <= u'9';
    if (!numeric || range.toInt() < 1 || range.toInt() > 10)
        return QStringLiteral("範囲は1から10の数にしてください（「%1」）。").arg(range);
    if (idiom.size() != kIdiomLength)
        return QStringLiteral("四字熟語は4文字にしてください（「%1」は%2文字）。")
            .arg(idiom)
            .arg(idiom.size());
    bool hiragana = reading.size() >= kShortestReading;
    for (const QChar c : reading)
        hiragana = hiragana && isHiragana(c);
    if (!hiragana)
        return QStringLiteral("読みはひらがな4文字以上にしてください（「%1」）。").arg(reading);
    if (meaning.isEmpty())
        return QStringLiteral("意味がありません。");
    for (const QString& cell : cells) {
        if (cell.contains(IdiomCompanion::kEndMarker))
            return QStringLiteral("「%1」は使えません。").arg(IdiomCompanion::kEndMarker);
        const QString bad = firstUnstorable(cell);
        if (!bad.isEmpty())
            return QStringLiteral("「%1」はWindowsの日本語の文字コードにない文字です。").arg(bad);
    }
    return {};
}

} // namespace

Status parse(const QString& text, const QString& sourceName, std::vector<Row>& rows)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF)))
        lines.first().remove(0, 1);
    std::vector<Row> parsed;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const int lineNo = static_cast<int>(n) + 1;
        const auto refuse = [&](const QString& problem) {
            return Status::failure(
                QStringLiteral("%1 の%2行目：%3").arg(sourceName).arg(lineNo).arg(problem));
        };
        if (parsed.size() == IdiomCompanion::kMaxLines)
            return refuse(QStringLiteral("%1個を超える四字熟語は保存できません。")
                              .arg(IdiomCompanion::kMaxLines));
        bool commaInField = false;
        bool unclosed = false;
        QStringList cells = splitCells(line, &commaInField, &unclosed);
        if (unclosed)
            return refuse(QStringLiteral("引用符（\"）が閉じていません。"));
        if (commaInField)
            return refuse(QStringLiteral("項目の中にコンマがあります。コンマは使えません"
                                         "（「、」は使えます）。"));
        const QString problem = rowProblem(cells);
        if (!problem.isEmpty())
            return refuse(problem);
        cells[0] = QString::number(cells.at(0).toInt());
        parsed.push_back({lineNo, cells});
    }
    rows.insert(rows.end(), parsed.begin(), parsed.end());
    return Status::success();
}

int decoyCount(const QStringList& rangeIdioms, const QString& idiom)
{
    QSet<QChar> decoys;
    for (const QString& other : rangeIdioms) {
        for (qsizetype i = 0; i < 2 && i < other.size(); ++i) {
            if (!idiom.contains(other.at(i)))
                decoys.insert(other.at(i));
        }
    }
    return static_cast<int>(decoys.size());
}

QStringList setProblems(const std::vector<Row>& rows)
{
    QStringList problems;
    std::map<QString, int> lineByIdiom;
    std::map<QString, const Row*> rowByStem;
    std::map<int, QStringList> idiomsByRange;
    for (const Row& row : rows) {
        const QString& idiom = row.fields.at(1);
        const auto [seen, isNew] = lineByIdiom.emplace(idiom, row.sourceLine);
        if (!isNew) {
            problems << QStringLiteral("%1行目：「%2」は%3行目にもあります。")
                            .arg(row.sourceLine)
                            .arg(idiom)
                            .arg(seen->second);
        } else {
            const auto [other, isNewStem] = rowByStem.emplace(idiom.left(3), &row);
            if (!isNewStem)
                problems << QStringLiteral("%1行目：「%2」は%3行目の「%4」と最初の3文字が同じです"
                                           "（音声ファイルが同じになります）。")
                                .arg(row.sourceLine)
                                .arg(idiom)
                                .arg(other->second->sourceLine)
                                .arg(other->second->fields.at(1));
        }
        idiomsByRange[row.fields.at(0).toInt()] << idiom;
    }
    for (const Row& row : rows) {
        const QString& idiom = row.fields.at(1);
        const int decoys = decoyCount(idiomsByRange[row.fields.at(0).toInt()], idiom);
        if (decoys < kDecoyTiles)
            problems << QStringLiteral("%1行目：範囲%2の熟語の1・2文字目から「%3」の文字を除くと"
                                       "%4文字しかなく、%5枚の漢字タイルを作れません。")
                            .arg(row.sourceLine)
                            .arg(row.fields.at(0), idiom)
                            .arg(decoys)
                            .arg(kDecoyTiles);
    }
    return problems;
}

Status writeCompanionFile(const std::vector<Row>& rows, const QString& companionPath)
{
    std::vector<QStringList> records;
    records.reserve(rows.size());
    for (const Row& row : rows)
        records.push_back(row.fields);
    bool ok = false;
    const QByteArray bytes = IdiomCompanion::fileBytes(records, &ok);
    if (!ok || records.size() > IdiomCompanion::kMaxLines)
        return Status::failure(
            QStringLiteral("%1：保存できない内容があります。").arg(companionPath));
    QSaveFile file(companionPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Status::failure(
            QStringLiteral("%1 に書き込めません（%2）。").arg(companionPath, file.errorString()));
    return Status::success();
}

QString toText(const std::vector<QStringList>& records)
{
    QString text;
    for (const QStringList& fields : records)
        text += fields.join(u',') + u'\n';
    return text;
}

} // namespace IdiomSource
