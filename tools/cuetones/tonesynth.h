#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// One note of a cue: a pitch in hertz (0 for a rest) and a length in milliseconds.
struct Note
{
    double frequency = 0.0;
    int milliseconds = 0;
};

// Renders notes as a soft bell-like tone (a few harmonics with a gentle attack and decay) to
// 16-bit mono samples at kSampleRate.
std::vector<short> renderNotes(const std::vector<Note>& notes);

// A complete RIFF/WAVE file of 16-bit mono samples at kSampleRate.
QByteArray waveFile(const std::vector<short>& samples);

constexpr int kSampleRate = 22050;
