#include "platform/soundoutput.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <pulse/error.h>
#include <pulse/simple.h>
#include <sndfile.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct DecodedSound
{
    int channels = 0;
    int sampleRate = 0;
    std::vector<short> samples;
};

SoundReply decode(const QString& file, DecodedSound& sound)
{
    SF_INFO info{};
    SNDFILE* handle = sf_open(file.toLocal8Bit().constData(), SFM_READ, &info);
    if (!handle)
        return {PulseSoundOutput::FileUnreadable,
                QStringLiteral("%1: %2").arg(file, QString::fromLocal8Bit(sf_strerror(nullptr)))};
    if (info.channels <= 0 || info.channels > 8 || info.samplerate <= 0 || info.frames < 0) {
        sf_close(handle);
        return {PulseSoundOutput::FileUnreadable,
                QStringLiteral("%1: unsupported format").arg(file)};
    }
    sound.channels = info.channels;
    sound.sampleRate = info.samplerate;
    sound.samples.resize(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
    const sf_count_t read = sf_readf_short(handle, sound.samples.data(), info.frames);
    sound.samples.resize(static_cast<size_t>(read) * static_cast<size_t>(info.channels));
    sf_close(handle);
    return {};
}

SoundReply playToEnd(const DecodedSound& sound)
{
    pa_sample_spec spec{};
    spec.format = PA_SAMPLE_S16LE;
    spec.channels = static_cast<uint8_t>(sound.channels);
    spec.rate = static_cast<uint32_t>(sound.sampleRate);
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, "yojidrill", PA_STREAM_PLAYBACK, nullptr, "cue",
                                      &spec, nullptr, nullptr, &error);
    if (!stream)
        return {PulseSoundOutput::NoServer, QString::fromLocal8Bit(pa_strerror(error))};
    SoundReply reply;
    if (pa_simple_write(stream, sound.samples.data(), sound.samples.size() * sizeof(short),
                        &error) < 0 ||
        pa_simple_drain(stream, &error) < 0)
        reply = {PulseSoundOutput::NoServer, QString::fromLocal8Bit(pa_strerror(error))};
    pa_simple_free(stream);
    return reply;
}

// The playback runs on a worker: the caller's event loop keeps running meanwhile, and a stalled
// sound server cannot hold the caller for longer than the bound. A worker that overruns
// finishes on its own and is forgotten.
struct PlaybackJob
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    SoundReply reply;
    QEventLoop* waiting = nullptr; // the caller's loop while it runs; guarded by mutex
};

void finishJob(PlaybackJob& job, const SoundReply& reply)
{
    std::lock_guard lock(job.mutex);
    job.reply = reply;
    job.done = true;
    job.finished.notify_all();
    if (job.waiting)
        QMetaObject::invokeMethod(job.waiting, &QEventLoop::quit, Qt::QueuedConnection);
}

// Whether the job finished within the bound. On the application's thread, events (paints,
// input, timers, the accessibility bus) are served while it waits.
bool waitForJob(PlaybackJob& job, std::chrono::milliseconds bound)
{
    std::unique_lock lock(job.mutex);
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return job.finished.wait_for(lock, bound, [&] { return job.done; });
    if (job.done)
        return true;
    QEventLoop loop;
    QTimer::singleShot(bound, &loop, &QEventLoop::quit);
    job.waiting = &loop;
    lock.unlock();
    loop.exec();
    lock.lock();
    job.waiting = nullptr;
    return job.done;
}

} // namespace

QString PulseSoundOutput::fileOfPlayCommand(const QString& command)
{
    static const QString prefix = QStringLiteral("play ");
    static const QString suffix = QStringLiteral(" wait");
    if (!command.startsWith(prefix) || !command.endsWith(suffix) ||
        command.size() <= prefix.size() + suffix.size())
        return {};
    return command.mid(prefix.size(), command.size() - prefix.size() - suffix.size());
}

SoundReply PulseSoundOutput::checkDecodes(const QString& file)
{
    DecodedSound sound;
    return decode(file, sound);
}

SoundReply PulseSoundOutput::send(const QString& command)
{
    const QString file = fileOfPlayCommand(command);
    if (file.isEmpty())
        return {UnknownCommand, QStringLiteral("unknown command: %1").arg(command)};

    auto sound = std::make_shared<DecodedSound>();
    if (SoundReply decoded = decode(file, *sound); decoded.code != Played)
        return decoded;

    const auto length = std::chrono::milliseconds(
        1000 * static_cast<qint64>(sound->samples.size()) / sound->channels / sound->sampleRate);
    auto job = std::make_shared<PlaybackJob>();
    std::thread([job, sound] { finishJob(*job, playToEnd(*sound)); }).detach();
    if (!waitForJob(*job, length + std::chrono::seconds(2)))
        return {TimedOut, QStringLiteral("%1: the sound server did not finish in time").arg(file)};
    std::lock_guard lock(job->mutex);
    return job->reply;
}
