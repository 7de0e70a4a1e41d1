#include "review/studycheckpoint.h"

#include "platform/daynumber.h"
#include "records/littleendian.h"
#include "review/crc32c.h"
#include "review/pupilstudy.h"
#include "review/studylogrecord.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <limits>

namespace {

constexpr char kMagic[8] = {'Y', 'J', 'S', 'T', 'C', 'K', 'P', 'T'};
constexpr int kChecksumLength = 4;

// Every day a record can carry, and the due days that follow from them.
constexpr qint64 kFirstDay = DayNumber::kDayZeroJulianDay + std::numeric_limits<qint32>::min();
constexpr qint64 kLastDay =
    DayNumber::kDayZeroJulianDay + std::numeric_limits<qint32>::max() + Fsrs::kMaxInterval;

bool dayOk(qint64 day)
{
    return day >= kFirstDay && day <= kLastDay;
}

class Writer
{
public:
    template <typename T> void put(T value)
    {
        char bytes[sizeof(T)];
        putLittleEndian<T>(bytes, value);
        m_bytes.append(bytes, sizeof(T));
    }
    void putBytes(const QByteArray& bytes)
    {
        put<quint32>(static_cast<quint32>(bytes.size()));
        m_bytes += bytes;
    }
    QByteArray sealed()
    {
        put<quint32>(Crc32c::checksum(m_bytes.constData(), static_cast<int>(m_bytes.size())));
        return m_bytes;
    }

private:
    QByteArray m_bytes = QByteArray(kMagic, sizeof kMagic);
};

// Reads fields front to back; once a read would pass the end, every later read fails too.
class Reader
{
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}
    template <typename T> bool get(T* value)
    {
        if (!take(sizeof(T)))
            return false;
        *value = getLittleEndian<T>(m_bytes.constData() + m_at - sizeof(T));
        return true;
    }
    bool getBytes(QByteArray* value)
    {
        quint32 length = 0;
        if (!get(&length) || !take(length))
            return false;
        *value = m_bytes.mid(m_at - length, length);
        return true;
    }
    bool atEnd() const { return m_ok && m_at == m_bytes.size(); }

private:
    bool take(qsizetype length)
    {
        m_ok = m_ok && length <= m_bytes.size() - m_at;
        if (m_ok)
            m_at += length;
        return m_ok;
    }
    const QByteArray& m_bytes;
    qsizetype m_at = sizeof kMagic;
    bool m_ok = true;
};

QString idiomOf(quint64 key)
{
    QChar units[4];
    for (int i = 0; i < 4; ++i)
        units[i] = QChar(static_cast<char16_t>(key >> (16 * i)));
    return QString(units, 4);
}

QString absolutePath(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

QByteArray StudyCheckpoint::encode(const PupilStudy& study)
{
    Writer out;
    out.put<quint32>(kVersion);
    out.put<qint32>(study.m_pupilNo);
    out.put<quint8>(static_cast<quint8>(study.m_skill));
    out.putBytes(absolutePath(study.m_readPath).toUtf8());
    out.put<qint64>(study.m_recordsRead);
    out.putBytes(study.m_lastRecordRead);
    out.put<qint64>(study.m_lastEventDay);
    out.put<quint32>(static_cast<quint32>(study.m_tracks.size()));
    for (size_t i = 0; i < study.m_tracks.size(); ++i) {
        const PupilStudy::Track& t = study.m_tracks[i];
        out.put<quint64>(StudyLogRecord::idiomKey(study.m_idioms[i].idiom));
        out.put<double>(t.memory.stability);
        out.put<double>(t.memory.difficulty);
        out.put<qint64>(t.lastDay);
        out.put<qint32>(t.answers);
        out.put<qint32>(t.lapses);
        out.put<qint32>(t.range);
        out.put<qint32>(t.recentCount);
        out.put<qint32>(t.recentNext);
        for (size_t k = 0; k < t.recentDays.size(); ++k) {
            out.put<qint64>(t.recentDays[k]);
            out.put<quint8>(t.recentRight[k] ? 1 : 0);
        }
        out.put<quint8>(t.lastMissed);
    }
    out.put<quint32>(static_cast<quint32>(study.m_studyDays.size()));
    for (size_t i = 0; i < study.m_studyDays.size(); ++i) {
        out.put<qint64>(study.m_studyDays[i].toJulianDay());
        out.put<qint64>(study.m_clearUntil[i]);
    }
    return out.sealed();
}

namespace {

bool trackOk(const PupilStudy& study, quint64 key, const MemoryState& memory, qint64 lastDay,
             int answers, int lapses, int range, int recentCount, int recentNext)
{
    return study.find(idiomOf(key)) == nullptr && memory.stability >= 0.001 &&
           memory.stability <= 36500 && memory.difficulty >= 1 && memory.difficulty <= 10 &&
           dayOk(lastDay) && answers >= 1 && lapses >= 0 && lapses <= answers && range >= 0 &&
           range <= 255 && recentCount >= 0 && recentCount <= answers &&
           recentCount <= IdiomMemory::kRecentAnswers && recentNext >= 0 &&
           recentNext < IdiomMemory::kRecentAnswers;
}

} // namespace

bool StudyCheckpoint::decode(const QByteArray& bytes, const QString& logPath, PupilStudy& study)
{
    if (bytes.size() < qsizetype(sizeof kMagic) + kChecksumLength ||
        !bytes.startsWith(QByteArray(kMagic, sizeof kMagic)))
        return false;
    const qsizetype sealedLength = bytes.size() - kChecksumLength;
    if (Crc32c::checksum(bytes.constData(), static_cast<int>(sealedLength)) !=
        getLittleEndian<quint32>(bytes.constData() + sealedLength))
        return false;
    const QByteArray body = bytes.left(sealedLength);
    Reader in(body);
    PupilStudy saved(study.m_pupilNo, study.m_skill);
    quint32 version = 0;
    qint32 pupil = 0;
    quint8 skill = 0;
    QByteArray path;
    if (!in.get(&version) || version != kVersion || !in.get(&pupil) || pupil != study.m_pupilNo ||
        !in.get(&skill) || skill != static_cast<quint8>(study.m_skill) || !in.getBytes(&path) ||
        QString::fromUtf8(path) != absolutePath(logPath) || !in.get(&saved.m_recordsRead) ||
        saved.m_recordsRead <= 0 || !in.getBytes(&saved.m_lastRecordRead) ||
        saved.m_lastRecordRead.size() != StudyLogRecord::kLength || !in.get(&saved.m_lastEventDay))
        return false;
    quint32 idioms = 0;
    if (!in.get(&idioms))
        return false;
    for (quint32 i = 0; i < idioms; ++i) {
        quint64 key = 0;
        PupilStudy::Track t;
        qint32 answers = 0, lapses = 0, range = 0, recentCount = 0, recentNext = 0;
        if (!in.get(&key) || !in.get(&t.memory.stability) || !in.get(&t.memory.difficulty) ||
            !in.get(&t.lastDay) || !in.get(&answers) || !in.get(&lapses) || !in.get(&range) ||
            !in.get(&recentCount) || !in.get(&recentNext) ||
            !trackOk(saved, key, t.memory, t.lastDay, answers, lapses, range, recentCount,
                     recentNext))
            return false;
        t.answers = answers;
        t.lapses = lapses;
        t.range = range;
        t.recentCount = recentCount;
        t.recentNext = recentNext;
        for (size_t k = 0; k < t.recentDays.size(); ++k) {
            quint8 right = 0;
            if (!in.get(&t.recentDays[k]) || !dayOk(t.recentDays[k]) || !in.get(&right) ||
                right > 1)
                return false;
            t.recentRight[k] = right == 1;
        }
        if (!in.get(&t.lastMissed) || t.lastMissed > StudyLogRecord::kAllKanjiMissed)
            return false;
        const size_t index = static_cast<size_t>(saved.insert(key));
        saved.m_idioms[index].idiom = idiomOf(key);
        saved.m_dueDays[index] = t.lastDay + saved.m_fsrs.intervalDays(t.memory);
        saved.m_tracks[index] = t;
    }
    quint32 days = 0;
    if (!in.get(&days))
        return false;
    for (quint32 i = 0; i < days; ++i) {
        qint64 day = 0;
        qint64 clearUntil = 0;
        if (!in.get(&day) || !dayOk(day) || !in.get(&clearUntil) ||
            (clearUntil != PupilStudy::kNothingDue && !dayOk(clearUntil)) ||
            (!saved.m_studyDays.empty() && saved.m_studyDays.back().toJulianDay() >= day))
            return false;
        saved.m_studyDays.push_back(QDate::fromJulianDay(day));
        saved.m_clearUntil.push_back(clearUntil);
    }
    // The replay finds the last day answered among the study days, or has none of either.
    const bool lastDayKnown =
        saved.m_lastEventDay == PupilStudy::kNothingDue
            ? saved.m_studyDays.empty()
            : std::binary_search(saved.m_studyDays.begin(), saved.m_studyDays.end(),
                                 QDate::fromJulianDay(saved.m_lastEventDay));
    if (!in.atEnd() || !lastDayKnown)
        return false;
    for (size_t i = 0; i < saved.m_idioms.size(); ++i)
        saved.publish(i);
    saved.m_readPath = logPath;
    saved.m_recordsSinceCheckpoint = 0;
    study = std::move(saved);
    return true;
}

StudyCheckpoints::StudyCheckpoints(QString folder, qint64 saveEvery)
    : m_folder(std::move(folder)), m_saveEvery(saveEvery)
{
}

QString StudyCheckpoints::standardFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/yojidrill/study");
}

QString StudyCheckpoints::fileFor(const QString& logPath, int pupilNo, StudySkill skill) const
{
    const QByteArray hash =
        QCryptographicHash::hash(absolutePath(logPath).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(32);
    return m_folder + QLatin1Char('/') + QString::fromLatin1(hash) + QLatin1Char('-') +
           QString::number(pupilNo) +
           (skill == StudySkill::Write ? QStringLiteral("-w.ckpt") : QStringLiteral(".ckpt"));
}

bool StudyCheckpoints::restore(const QString& logPath, PupilStudy& study) const
{
    QFile file(fileFor(logPath, study.pupilNo(), study.skill()));
    // Far beyond any real checkpoint (some 150 bytes an idiom): a stray huge file is not read.
    constexpr qint64 kLargest = 64 << 20;
    return file.open(QIODevice::ReadOnly) && file.size() <= kLargest &&
           StudyCheckpoint::decode(file.readAll(), logPath, study);
}

void StudyCheckpoints::saveWhenBehind(const QString& logPath, PupilStudy& study) const
{
    if (study.readPath() != logPath || study.recordsSinceCheckpoint() < m_saveEvery ||
        !QDir().mkpath(m_folder))
        return;
    QSaveFile file(fileFor(logPath, study.pupilNo(), study.skill()));
    const QByteArray bytes = StudyCheckpoint::encode(study);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        study.markCheckpointed();
}
