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
    const QString file = dir.filePath(QStringLiteral("two seconds.wav"));
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

    EXPECT_EQ(reply.code, PulseSoundOutput::Played) << reply.errorText.toStdString();
    EXPECT_EQ(order, (QStringList{QStringLiteral("posted event"), QStringLiteral("経過時間"),
                                  QStringLiteral("returned")}));
    // Drained to its end: the null sink takes the frames at the pace of a real device.
    EXPECT_GE(played.elapsed(), kLength - 100);
}
