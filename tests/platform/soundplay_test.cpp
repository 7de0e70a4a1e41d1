#include "platform/soundoutput.h"
#include "tonesynth.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <future>
#include <thread>

// Runs on the null sink of the script that starts it: the real output, nothing heard.
TEST(PulseSoundOnNullSink, TheWindowIsServedWhileASoundPlaysAndTheCallEndsWithIt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a tone.wav"));
    constexpr int kLength = 2000;
    {
        QFile wave(file);
        ASSERT_TRUE(wave.open(QIODevice::WriteOnly));
        wave.write(waveFile(renderNotes({{440.0, kLength}})));
    }
    QLabel label;
    label.setAccessibleName(QStringLiteral("経過時間"));
    QStringList order;

    QTimer::singleShot(0, [&] { order.append(QStringLiteral("posted event")); });
    // The accessibility bridge asks from its own thread; its question queues up for the window.
    std::promise<void> asked;
    std::thread bridge([&] {
        QMetaObject::invokeMethod(
            &label,
            [&] {
                QAccessibleInterface* element = QAccessible::queryAccessibleInterface(&label);
                order.append(element->text(QAccessible::Name));
            },
            Qt::QueuedConnection);
        asked.set_value();
    });
    asked.get_future().wait();
    bridge.join();

    PulseSoundOutput output;
    QElapsedTimer played;
    played.start();
    const SoundReply reply = output.send(QStringLiteral("play ") + file + QStringLiteral(" wait"));
    order.append(QStringLiteral("returned"));

    // The null sink renders in blocks of two seconds and reports the drain at the end of a
    // block, which may come after the bound of length plus two seconds: both codes mean the
    // frames were written and the call waited for them.
    EXPECT_TRUE(reply.code == PulseSoundOutput::Played || reply.code == PulseSoundOutput::TimedOut)
        << reply.errorText.toStdString();
    EXPECT_EQ(order, (QStringList{QStringLiteral("posted event"), QStringLiteral("経過時間"),
                                  QStringLiteral("returned")}));
    // Drained to its end: the null sink takes the frames at the pace of a real device.
    EXPECT_GE(played.elapsed(), kLength - 100);
}
