#include "platform/soundoutput.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PulseSoundOutput, OnlyPlayCommandsNameAFile)
{
    EXPECT_EQ(PulseSoundOutput::fileOfPlayCommand(QStringLiteral("play /a b/c.wav wait")),
              QStringLiteral("/a b/c.wav"));
    EXPECT_TRUE(PulseSoundOutput::fileOfPlayCommand(QStringLiteral("play  wait")).isEmpty());
    EXPECT_TRUE(PulseSoundOutput::fileOfPlayCommand(QStringLiteral("stop /c.wav wait")).isEmpty());
    EXPECT_TRUE(PulseSoundOutput::fileOfPlayCommand(QStringLiteral("play /c.wav")).isEmpty());
}

TEST(PulseSoundOutput, UnplayableFilesReturnACodeAndTheSystemText)
{
    QTemporaryDir dir;
    PulseSoundOutput output;
    const SoundReply missing =
        output.send(QStringLiteral("play ") + dir.path() + QStringLiteral("/なし.wav wait"));
    EXPECT_EQ(missing.code, PulseSoundOutput::FileUnreadable);
    EXPECT_TRUE(missing.errorText.contains(QStringLiteral("なし.wav")));
    EXPECT_FALSE(missing.errorText.section(QStringLiteral(": "), 1).isEmpty());

    const SoundReply unknown = output.send(QStringLiteral("open cd"));
    EXPECT_EQ(unknown.code, PulseSoundOutput::UnknownCommand);
}
