#include "drill/idiomcompanion.h"

#include "core/codepage.h"
#include "drill/idiomkeys.h"

#include <QFile>

#include <utility>

namespace IdiomCompanion {

namespace {

void exchange(QString& line, int step)
{
    const qsizetype p = IdiomKeys::pair(IdiomKeys::kFirst, step) - 1;
    const qsizetype q = IdiomKeys::pair(IdiomKeys::kSecond, step) - 1;
    if (p != q) {
        const QChar atP = line.at(p);
        line[p] = line.at(q);
        line[q] = atP;
    }
}

Status fault(ReadError code, const QString& path, const QString& problem)
{
    return Status::failure(QStringLiteral("四字熟語のデータファイル「%1」%2").arg(path, problem),
                           code);
}

// Filler of mixed characters, commas among them, so that the marker's place and the record's
// length are not obvious in the scrambled line.
const QString kFillerPool =
    QStringLiteral("あいうえおかきくけこさしすせそ,一二三四五六七八九十日月火水木金土、。");

} // namespace

void scramble(QString& line)
{
    for (int step = IdiomKeys::kFirstStep; step <= IdiomKeys::kLastStep; ++step)
        exchange(line, step);
}

void descramble(QString& line)
{
    for (int step = IdiomKeys::kLastStep; step >= IdiomKeys::kFirstStep; --step)
        exchange(line, step);
}

QString storedLine(const QStringList& fields, int lineNo)
{
    QString line = fields.join(u',') + kEndMarker;
    quint32 seed = static_cast<quint32>(lineNo) * 2654435761u + static_cast<quint32>(line.size());
    while (line.size() < kMinStoredLength) {
        seed = seed * 1664525u + 1013904223u;
        line += kFillerPool.at((seed >> 16) % kFillerPool.size());
    }
    scramble(line);
    return line;
}

QStringList splitRecord(const QString& plainLine, bool* hasEndMarker)
{
    const qsizetype end = plainLine.indexOf(kEndMarker);
    *hasEndMarker = end >= 0;
    if (end < 0)
        return {};
    // QString::split keeps empty parts: adjacent commas give an empty field, no comma one field.
    return plainLine.left(end).split(u',');
}

Status readRecords(const QString& companionPath, std::vector<QStringList>& records)
{
    QFile file(companionPath);
    if (!file.exists())
        return fault(CannotOpen, companionPath, QStringLiteral("が見つかりません。"));
    if (!file.open(QIODevice::ReadOnly))
        return fault(CannotOpen, companionPath,
                     QStringLiteral("を開けません（%1）。").arg(file.errorString()));
    if (file.size() > kMaxFileBytes)
        return fault(TooLarge, companionPath,
                     QStringLiteral("が大きすぎます（%1MBまでです）。").arg(kMaxFileBytes >> 20));
    // Read whole, so the file is open only for the time of reading.
    const QByteArray bytes = file.readAll();
    const bool readFailed = file.error() != QFileDevice::NoError;
    file.close();
    if (readFailed)
        return fault(CannotOpen, companionPath, QStringLiteral("を読めません。"));

    // Shift-JIS never uses the byte of LF inside a character, so the decoded text splits
    // into the same lines as the bytes.
    QStringList lines = CodePage::decode(bytes).split(u'\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    if (lines.size() > kMaxLines)
        return fault(TooManyLines, companionPath,
                     QStringLiteral("の行数が%1行を超えています。").arg(kMaxLines));

    std::vector<QStringList> read;
    read.reserve(lines.size());
    constexpr int shortest = IdiomKeys::largestPosition();
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.size() < shortest)
            return fault(
                LineTooShort, companionPath,
                QStringLiteral("の%1行目が短すぎます（%2文字未満）。").arg(n + 1).arg(shortest));
        descramble(line);
        bool hasEndMarker = false;
        QStringList fields = splitRecord(line, &hasEndMarker);
        if (!hasEndMarker)
            return fault(NoEndMarker, companionPath,
                         QStringLiteral("の%1行目に終わりの印がありません。").arg(n + 1));
        if (fields.size() > kMaxFields)
            return fault(
                TooManyFields, companionPath,
                QStringLiteral("の%1行目の項目が%2を超えています。").arg(n + 1).arg(kMaxFields));
        read.push_back(std::move(fields));
    }
    for (QStringList& fields : read)
        records.push_back(std::move(fields));
    return Status::success();
}

QByteArray fileBytes(const std::vector<QStringList>& records, bool* ok)
{
    QString text;
    for (std::size_t i = 0; i < records.size(); ++i)
        text += storedLine(records[i], static_cast<int>(i) + 1) + QStringLiteral("\r\n");
    return CodePage::encode(text, ok);
}

} // namespace IdiomCompanion
