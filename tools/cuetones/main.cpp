// Writes the cue sounds of the demo installation as wave files into the given folder.
#include "tonesynth.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <map>

namespace {

constexpr double C5 = 523.25, D5 = 587.33, E5 = 659.25, F5 = 698.46, G5 = 783.99, A5 = 880.0,
                 B5 = 987.77, C6 = 1046.5, E6 = 1318.5, G6 = 1568.0, C4 = 261.63, E4 = 329.63,
                 G4 = 392.0, A4 = 440.0, F4 = 349.23, D4 = 293.66, B3 = 246.94;

// Right answers: short rising chimes; wrong answers: low falling pairs; records: fanfares.
const std::map<QString, std::vector<Note>>& cueSounds()
{
    static const std::map<QString, std::vector<Note>> sounds = {
        {QStringLiteral("seikai1"), {{E5, 90}, {C6, 260}}},
        {QStringLiteral("seikai2"), {{G5, 90}, {E6, 260}}},
        {QStringLiteral("seikai3"), {{C5, 80}, {E5, 80}, {G5, 220}}},
        {QStringLiteral("machigai1"), {{A4, 160}, {F4, 320}}},
        {QStringLiteral("machigai2"), {{G4, 160}, {D4, 320}}},
        {QStringLiteral("machigai3"), {{E4, 140}, {B3, 340}}},
        {QStringLiteral("jikosaikou1"),
         {{C5, 120}, {E5, 120}, {G5, 120}, {C6, 480}}},
        {QStringLiteral("jikosaikou2"),
         {{G5, 110}, {C6, 110}, {E6, 110}, {G6, 520}}},
        {QStringLiteral("fugoukaku1"), {{E4, 300}, {D4, 300}, {C4, 600}}},
        {QStringLiteral("最高1"),
         {{C5, 150}, {C5, 150}, {C5, 150}, {C6, 500}, {0, 80}, {G5, 160}, {C6, 700}}},
        {QStringLiteral("合格"),
         {{C5, 140}, {E5, 140}, {G5, 140}, {C6, 300}, {0, 60}, {A5, 140}, {B5, 140},
          {C6, 800}}},
        {QStringLiteral("saikou1"), {{D5, 120}, {F5, 120}, {A5, 120}, {D5 * 2, 500}}},
    };
    return sounds;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: yoji-cuetones OUTPUT_FOLDER\n";
        return 2;
    }
    for (const auto& [name, notes] : cueSounds()) {
        QFile file(args.at(1) + u'/' + name + QStringLiteral(".wav"));
        if (!file.open(QIODevice::WriteOnly) || file.write(waveFile(renderNotes(notes))) < 0) {
            err << "cannot write " << file.fileName() << ": " << file.errorString() << "\n";
            return 1;
        }
    }
    return 0;
}
