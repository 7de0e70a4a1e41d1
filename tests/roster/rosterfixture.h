#pragma once

#include "core/sharedstate.h"
#include "fakes.h"
#include "testinstallation.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <ostream>

// Failure messages show texts as text, not as arrays of code units.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// An installation with settings and a roster, and a shared state laid out on it as start-up
// would leave it (layout 1, school year starting in April).
class RosterFixture
{
public:
    RosterFixture()
    {
        inst.writeValidSettings();
        state.programFolder = inst.programDir() + u'/';
        state.commonFolder = inst.filesDir() + u'/';
        state.dataFolder = state.programFolder;
        state.soundFolder = state.commonFolder;
        state.schoolYearStartMonth = 4;
        state.contentName = QStringLiteral("Sorawa");
        state.homeEdition = 1;
        state.printEnabled = 1;
        clock.current = QDateTime(QDate(2026, 5, 12), QTime(9, 30, 15));
    }

    // One roster line: number, birth year, two kept numbers, the name in its 20-character
    // field, the status and two kept texts.
    static QString line(int pupilNo, int birthYear, const QString& name,
                        const QString& status = "0", const QString& text1 = QString(),
                        const QString& text2 = QString())
    {
        const auto field = [](const QString& text) {
            return u'"' + text.leftJustified(20, u' ') + u'"';
        };
        return QStringLiteral("%1,%2,0,0,%3,%4,%5,%6")
            .arg(pupilNo)
            .arg(birthYear)
            .arg(field(name), status, field(text1), field(text2));
    }

    void writeRoster(const QStringList& lines) const
    {
        inst.writeText(QStringLiteral("files/生徒用名簿.txt"),
                       lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n');
    }
    QString rosterPath() const { return inst.filesDir() + QStringLiteral("/生徒用名簿.txt"); }
    QString tempPath() const { return inst.filesDir() + QStringLiteral("/生徒用名簿temp.txt"); }

    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TestInstallation inst;
    SharedState state;
    ManualClock clock;
};
