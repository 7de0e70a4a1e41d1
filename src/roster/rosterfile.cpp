#include "roster/rosterfile.h"

#include "core/codepage.h"
#include "core/fieldreader.h"
#include "core/itemtables.h"

#include <QFile>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

constexpr int kFieldCount = 8;

bool isBlankLine(const QByteArray& bytes)
{
    for (const char c : bytes)
        if (c != ' ' && c != '\t' && c != '\r')
            return false;
    return true;
}

bool isNumberText(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    return number.match(text).hasMatch();
}

// An unquoted integer field: empty text is 0, as the sequential reader gives it; other text
// must be a number that fits 16 bits (a fraction is rounded, halves to even).
bool readSmallInteger(const QString& text, qint16& value)
{
    const QString digits = trimBlanks(text);
    if (digits.isEmpty()) {
        value = 0;
        return true;
    }
    if (!isNumberText(digits))
        return false;
    const double rounded = std::nearbyint(digits.toDouble());
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return false;
    value = static_cast<qint16>(rounded);
    return true;
}

} // namespace

QString rosterMissingText(const QString& path)
{
    return QStringLiteral("名簿ファイル「%1」を開けません。ファイルがあるか確かめてください。")
        .arg(path);
}

Status RosterFileReader::open(const QString& path)
{
    m_path = path;
    m_lines.clear();
    m_next = 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(rosterMissingText(path));
    if (file.size() > kMaxRosterBytes)
        return Status::failure(QStringLiteral("名簿ファイル「%1」が大きすぎます（%2MBまでです）。")
                                   .arg(path)
                                   .arg(kMaxRosterBytes >> 20));
    const QByteArray bytes = file.readAll();
    // A trail byte of the code page is never a line feed, so the bytes split safely.
    const QList<QByteArray> lines = CodePage::textFileBytes(bytes).toByteArray().split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!isBlankLine(line))
            m_lines.append({static_cast<int>(i + 1), line});
    }
    if (m_lines.size() > kMaxRosterLines)
        return Status::failure(
            QStringLiteral("名簿ファイル「%1」には%2人を超える名前があります（%3行）。")
                .arg(path)
                .arg(kMaxRosterLines)
                .arg(m_lines.size()));
    return Status::success();
}

Status RosterFileReader::lineProblem(int lineNumber, const QString& what) const
{
    return Status::failure(QStringLiteral("名簿ファイル「%1」の%2行目が正しくありません：%3")
                               .arg(m_path)
                               .arg(lineNumber)
                               .arg(what));
}

Status RosterFileReader::readEntry(RosterEntry& entry)
{
    if (atEnd())
        return Status::failure(rosterMissingText(m_path));
    const Line& line = m_lines.at(m_next++);
    FieldReader reader(line.bytes);
    QStringList fields;
    while (!reader.atEnd())
        fields.append(reader.readValue());
    if (fields.size() != kFieldCount)
        return lineProblem(
            line.number,
            QStringLiteral("項目が%1個あります（8個のはずです）。").arg(fields.size()));

    static const char* const numberNames[] = {"番号", "生まれた年", "3番目の項目", "4番目の項目"};
    qint16* const numbers[] = {&entry.pupilNo, &entry.birthYear, &entry.extraNo1, &entry.extraNo2};
    for (int f = 0; f < 4; ++f)
        if (!readSmallInteger(fields.at(f), *numbers[f]))
            return lineProblem(line.number,
                               QStringLiteral("%1「%2」が数になっていません。")
                                   .arg(QString::fromUtf8(numberNames[f]), fields.at(f)));
    if (!isValidPupilNo(entry.pupilNo))
        return lineProblem(
            line.number, QStringLiteral("番号%1は使えません（1から5000までの番号にしてください）。")
                             .arg(entry.pupilNo));
    const QString status = trimBlanks(fields.at(5));
    if (!status.isEmpty() && !isNumberText(status))
        return lineProblem(line.number,
                           QStringLiteral("6番目の項目「%1」が数になっていません。").arg(status));
    entry.rosterName = fixedWidthText(fields.at(4));
    entry.listStatus = status;
    entry.extraText1 = fixedWidthText(fields.at(6));
    entry.extraText2 = fixedWidthText(fields.at(7));
    return Status::success();
}

RosterFileContents readWholeRoster(const QString& path)
{
    RosterFileContents contents;
    RosterFileReader reader;
    contents.status = reader.open(path);
    while (contents.status.ok() && !reader.atEnd()) {
        RosterEntry entry;
        contents.status = reader.readEntry(entry);
        if (contents.status.ok()) {
            contents.entries.append(entry);
            contents.lineBytes.append(reader.lastLineBytes());
        }
    }
    return contents;
}
