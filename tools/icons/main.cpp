// Writes the program's icon as PNG files of the desktop's usual sizes:
// <folder>/hicolor/<n>x<n>/apps/<name>.png
#include "roster/drillicon.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        QTextStream(stderr) << "usage: yoji-icons FOLDER NAME\n";
        return 2;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder =
            QStringLiteral("%1/hicolor/%2x%2/apps").arg(arguments.at(1)).arg(size);
        const QString file = folder + u'/' + arguments.at(2) + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !drillIcon(size).save(file)) {
            QTextStream(stderr) << "cannot write " << file << '\n';
            return 1;
        }
    }
    return 0;
}
