#pragma once

#include <QProcess>
#include <QStringList>

#include <chrono>
#include <random>
#include <thread>
#include <vector>

// Starts helper programs and kills them with SIGKILL at moments drawn from a seeded
// generator: after a random number of lines of output (each line is a finished step of the
// helper), plus a random pause that lands the kill anywhere inside the next step. Only the
// moment depends on the clock; what a test asserts never does.
class RandomKiller
{
public:
    explicit RandomKiller(unsigned seed) : m_random(seed) {}

    int number(int below) { return static_cast<int>(m_random() % static_cast<unsigned>(below)); }

    void start(QProcess& process, const QString& program, const QStringList& arguments)
    {
        process.start(program, arguments);
        m_wantedLines = number(4);
        m_pauseMicroseconds = number(3000);
    }

    // Waits for the drawn number of lines (or the end of the helper), pauses, kills. Returns
    // everything the helper printed; false in *ok when the helper hung or failed to start.
    QByteArray kill(QProcess& process, bool* ok)
    {
        QByteArray output;
        *ok = process.waitForStarted(30000);
        while (*ok && output.count('\n') < m_wantedLines && process.state() == QProcess::Running) {
            if (!process.waitForReadyRead(30000) && process.state() == QProcess::Running)
                *ok = false;
            output += process.readAllStandardOutput();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(m_pauseMicroseconds));
        process.kill();
        *ok = process.waitForFinished(30000) && *ok;
        output += process.readAllStandardOutput();
        ++m_kills;
        return output;
    }

    // Starts one helper per argument list, all at once, then kills them in turn as kill()
    // does. Each helper prints a number per finished step: numbers[i] becomes the last one
    // helper i printed (it stays as it was when none). False, with that helper's error output
    // in *error, when one hung or failed to start.
    bool killTogether(const QString& program, const std::vector<QStringList>& arguments,
                      std::vector<int>& numbers, QString* error)
    {
        std::vector<QProcess> processes(arguments.size());
        for (size_t i = 0; i < processes.size(); ++i)
            start(processes[i], program, arguments[i]);
        bool allOk = true;
        for (size_t i = 0; i < processes.size(); ++i) {
            bool ok = false;
            const QByteArray output = kill(processes[i], &ok);
            if (!ok && allOk)
                *error = QString::fromLocal8Bit(processes[i].readAllStandardError());
            allOk = allOk && ok;
            for (const QByteArray& line : output.split('\n'))
                if (!line.isEmpty())
                    numbers[i] = line.toInt();
        }
        return allOk;
    }

    int kills() const { return m_kills; }

private:
    std::mt19937 m_random;
    int m_wantedLines = 0;
    int m_pauseMicroseconds = 0;
    int m_kills = 0;
};
