// Writes the scrambled idiom companion file from a plain UTF-8 table, and prints one back as
// such a table, so that a teacher can check and edit the idioms the drill uses.
//
//   yoji-idiomfile write [--strict] TABLE.csv COMPANION.ccc
//   yoji-idiomfile read COMPANION.ccc [TABLE.csv]
//
// The table has one idiom a line: range (1..10),idiom,reading in hiragana,meaning. "write"
// refuses a table it cannot store and names the line; it reports idioms that would make a
// poor drill (duplicates, shared voice files, too few decoy tiles), and with --strict refuses
// them too.
#include "drill/idiomcompanion.h"
#include "drill/idiomsource.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {

int usage(QTextStream& err)
{
    err << "usage: yoji-idiomfile write [--strict] TABLE.csv COMPANION.ccc\n"
           "       yoji-idiomfile read COMPANION.ccc [TABLE.csv]\n";
    return 2;
}

int write(const QString& tablePath, const QString& companionPath, bool strict, QTextStream& err)
{
    QFile input(tablePath);
    if (!input.open(QIODevice::ReadOnly)) {
        err << tablePath << " を読めません（" << input.errorString() << "）。\n";
        return 1;
    }
    const QString text = QString::fromUtf8(input.readAll());
    std::vector<IdiomSource::Row> rows;
    const Status parsed = IdiomSource::parse(text, tablePath, rows);
    if (!parsed.ok()) {
        err << parsed.message << "\n";
        return 1;
    }
    const QStringList problems = IdiomSource::setProblems(rows);
    for (const QString& problem : problems)
        err << tablePath << " の" << problem << "\n";
    if (!problems.isEmpty() && strict) {
        err << "--strict のため書き出しません。\n";
        return 1;
    }
    const Status written = IdiomSource::writeCompanionFile(rows, companionPath);
    if (!written.ok()) {
        err << written.message << "\n";
        return 1;
    }
    return 0;
}

int read(const QStringList& args, QTextStream& out, QTextStream& err)
{
    std::vector<QStringList> records;
    const Status status = IdiomCompanion::readRecords(args.at(0), records);
    if (!status.ok()) {
        err << status.message << "\n";
        return 1;
    }
    const QByteArray bytes = IdiomSource::toText(records).toUtf8();
    if (args.size() == 1) {
        out << QString::fromUtf8(bytes);
        return 0;
    }
    QSaveFile file(args.at(1));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err << args.at(1) << " に書き込めません（" << file.errorString() << "）。\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.isEmpty())
        return usage(err);
    const QString command = args.takeFirst();
    if (command == QLatin1String("write")) {
        const bool strict = args.removeAll(QStringLiteral("--strict")) > 0;
        if (args.size() != 2)
            return usage(err);
        return write(args.at(0), args.at(1), strict, err);
    }
    if (command == QLatin1String("read") && (args.size() == 1 || args.size() == 2))
        return read(args, out, err);
    return usage(err);
}
