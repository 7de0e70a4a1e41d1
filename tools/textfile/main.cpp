// Converts a plain UTF-8 text file of data/ into the form the program reads: the Windows
// Japanese code page with CR LF line ends. With --keep-existing an existing target is left
// alone, so that a roster or other file holding pupils' work is never overwritten.
#include "core/codepage.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    const bool keepExisting = args.removeAll(QStringLiteral("--keep-existing")) > 0;
    if (args.size() != 3) {
        err << "usage: yoji-textfile [--keep-existing] INPUT_UTF8 OUTPUT\n";
        return 2;
    }
    if (keepExisting && QFile::exists(args.at(2)))
        return 0;
    QFile input(args.at(1));
    if (!input.open(QIODevice::ReadOnly)) {
        err << "cannot read " << args.at(1) << ": " << input.errorString() << "\n";
        return 1;
    }
    QString text = QString::fromUtf8(input.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\n', QStringLiteral("\r\n"));
    bool ok = false;
    const QByteArray bytes = CodePage::encode(text, &ok);
    if (!ok) {
        err << args.at(1) << ": a character has no place in the Windows Japanese code page\n";
        return 1;
    }
    QFile output(args.at(2));
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size()) {
        err << "cannot write " << args.at(2) << ": " << output.errorString() << "\n";
        return 1;
    }
    return 0;
}
