#pragma once

#include "fakes.h"
#include "platform/filecalls.h"
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
