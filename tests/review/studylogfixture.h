#pragma once

#include "fakes.h"
#include "platform/filecalls.h"
#include "review/pupilstudy.h"
#include "review/studylog.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A scratch folder for one study log, and a writer on the real file calls.
class StudyLogTest : public ::testing::Test
{
protected:
    QString logPath() const { return m_dir.filePath(QString::fromUtf8(kStudyLogFileName)); }

    static StudyEvent answer(int pupil, const QString& idiom, const QDate& date, bool right = true)
    {
        StudyEvent event;
        event.date = date;
        event.secondOfDay = 36000;
        event.pupilNo = pupil;
        event.idiom = idiom;
        event.range = 6;
        event.itemNo = 12;
        event.wrongIdiom = !right;
        event.seconds = 9;
        return event;
    }

    void append(const StudyEvent& event)
    {
        const Status status = writer.append(logPath(), event);
        ASSERT_TRUE(status.ok()) << status.message.toStdString();
    }

    QByteArray bytes() const
    {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeBytes(const QByteArray& data) const
    {
        QFile file(logPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(data), data.size());
    }

    QTemporaryDir m_dir;
    PosixFileCalls calls;
    InstantSleeper sleeper;
    StudyLogWriter writer{calls, sleeper};
    const QDate day1{2026, 12, 8};
};

// The states that a study read in parts (a refresh, a checkpoint) must get right, field by
// field.
inline void expectSameState(const PupilStudy& a, const PupilStudy& b)
{
    EXPECT_EQ(a.studyDays(), b.studyDays());
    ASSERT_EQ(a.idioms().size(), b.idioms().size());
    for (const IdiomMemory* m : a.idioms()) {
        const IdiomMemory* other = b.find(m->idiom);
        ASSERT_NE(other, nullptr) << m->idiom.toStdString();
        EXPECT_EQ(m->answers, other->answers);
        EXPECT_EQ(m->lapses, other->lapses);
        EXPECT_EQ(m->memory.stability, other->memory.stability);
        EXPECT_EQ(m->memory.difficulty, other->memory.difficulty);
        EXPECT_EQ(m->due, other->due);
        EXPECT_EQ(m->recent.size(), other->recent.size());
        EXPECT_EQ(m->lastMissed, other->lastMissed);
    }
    const QDate today = a.studyDays().empty() ? QDate() : a.studyDays().back();
    EXPECT_EQ(a.streak(today), b.streak(today));
}
