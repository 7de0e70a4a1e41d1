#include "tonesynth.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>

std::vector<short> renderNotes(const std::vector<Note>& notes)
{
    std::vector<short> samples;
    for (const Note& note : notes) {
        const int count = kSampleRate * note.milliseconds / 1000;
        for (int i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            double value = 0.0;
            if (note.frequency > 0.0) {
                const double attack = std::min(1.0, t / 0.01);
                const double decay = std::exp(-4.0 * t / (note.milliseconds / 1000.0));
                const double phase = 2.0 * std::numbers::pi * note.frequency * t;
                value = attack * decay *
                        (0.6 * std::sin(phase) + 0.25 * std::sin(2 * phase) +
                         0.1 * std::sin(3 * phase));
            }
            samples.push_back(static_cast<short>(std::lround(value * 0.7 * 32767.0)));
        }
    }
    return samples;
}

QByteArray waveFile(const std::vector<short>& samples)
{
    const quint32 dataBytes = static_cast<quint32>(samples.size() * 2);
    QByteArray file;
    auto put32 = [&file](quint32 v) {
        char bytes[4];
        qToLittleEndian(v, bytes);
        file.append(bytes, 4);
    };
    auto put16 = [&file](quint16 v) {
        char bytes[2];
        qToLittleEndian(v, bytes);
        file.append(bytes, 2);
    };
    file.append("RIFF");
    put32(36 + dataBytes);
    file.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(kSampleRate);
    put32(kSampleRate * 2);
    put16(2);
    put16(16);
    file.append("data");
    put32(dataBytes);
    for (short s : samples)
        put16(static_cast<quint16>(s));
    return file;
}
