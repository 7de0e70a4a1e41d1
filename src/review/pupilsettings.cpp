#include "review/pupilsettings.h"

#include "core/itemtables.h"
#include "platform/filereplace.h"
#include "platform/wholefilelock.h"
#include "review/crc32c.h"

#include <QFile>

#include <optional>
#include <utility>

namespace {

constexpr char kHeaderStart[] = "YJPUPIL ";
constexpr char kVersion[] = "1";
constexpr char kOrderKey[] = "order";
constexpr char kExamKey[] = "exam";
constexpr char kExamSetKey[] = "examset";

using PupilLine = std::pair<int, PupilSettings>;

QByteArray checksumText(const QByteArray& sealed)
{
    return QByteArray::number(Crc32c::checksum(sealed.constData(), static_cast<int>(sealed.size())),
                              16)
        .rightJustified(8, '0');
}

QByteArray dateText(const QDate& date)
{
    return date.toString(Qt::ISODate).toLatin1();
}

QByteArray lineOf(int pupilNo, const PupilSettings& settings)
{
    QByteArray line = QByteArray::number(pupilNo);
    if (settings.checkStrokeOrder)
        line += QByteArray("\t") + kOrderKey + "=1";
    if (settings.examDate.isValid()) {
        line += QByteArray("\t") + kExamKey + '=' + dateText(settings.examDate);
        if (settings.examSetOn.isValid())
            line += QByteArray("\t") + kExamSetKey + '=' + dateText(settings.examSetOn);
    }
    for (const QByteArray& field : settings.laterFields)
        line += '\t' + field;
    return line + '\t' + checksumText(line);
}

// Only what lineOf() writes is sound: a number written another way, a value out of range or a
// field without a key could as well be a damaged byte of a sound one.
std::optional<PupilLine> parseLine(const QByteArray& line)
{
    const qsizetype lastTab = line.lastIndexOf('\t');
    if (lastTab < 0 || line.mid(lastTab + 1) != checksumText(line.left(lastTab)))
        return std::nullopt;
    const QList<QByteArray> fields = line.left(lastTab).split('\t');
    const int pupilNo = fields.first().toInt();
    if (!isValidPupilNo(pupilNo) || QByteArray::number(pupilNo) != fields.first())
        return std::nullopt;
    PupilSettings settings;
    for (qsizetype i = 1; i < fields.size(); ++i) {
        const QByteArray& field = fields.at(i);
        const qsizetype equals = field.indexOf('=');
        if (equals <= 0)
            return std::nullopt;
        const QByteArray key = field.left(equals);
        const QByteArray value = field.mid(equals + 1);
        if (key == kOrderKey) {
            if (value != "0" && value != "1")
                return std::nullopt;
            settings.checkStrokeOrder = value == "1";
        } else if (key == kExamKey || key == kExamSetKey) {
            QDate& date = key == kExamKey ? settings.examDate : settings.examSetOn;
            date = QDate::fromString(QString::fromLatin1(value), Qt::ISODate);
            if (!date.isValid() || dateText(date) != value)
                return std::nullopt;
        } else {
            settings.laterFields.append(field);
        }
    }
    // A version that knew no examset= keeps it among the later fields when it clears the
    // date; the day a date no longer there was set means nothing.
    if (!settings.examDate.isValid())
        settings.examSetOn = QDate();
    return PupilLine{pupilNo, settings};
}

Status checkHeader(const QByteArray& line, const QString& path)
{
    if (line == QByteArray(kHeaderStart) + kVersion)
        return Status::success();
    const QByteArray version = line.mid(sizeof kHeaderStart - 1);
    if (line.startsWith(kHeaderStart) && QByteArray::number(version.toUInt()) == version)
        return Status::failure(
            QStringLiteral("生徒設定ファイル「%1」は、別の版（第%2版）のプログラムの形式です。"
                           "この版では読めないため、書きかえもしません。")
                .arg(path, QString::fromLatin1(version)));
    return Status::failure(QStringLiteral("「%1」は生徒設定ファイルの形式ではありません。"
                                          "読めないため、書きかえもしません。")
                               .arg(path));
}

} // namespace

bool setExamDate(PupilSettings& settings, const QDate& date, const QDate& today)
{
    if (settings.examDate == date)
        return false;
    settings.examDate = date;
    settings.examSetOn = date.isValid() ? today : QDate();
    return true;
}

PupilSettingsFile::PupilSettingsFile(QString path, FileCalls& calls, Sleeper& sleeper)
    : m_path(std::move(path)), m_calls(calls), m_sleeper(sleeper)
{
}

Status PupilSettingsFile::load(QByteArray* bytes, QMap<int, PupilSettings>* pupils,
                               int* damaged) const
{
    bytes->clear();
    pupils->clear();
    *damaged = 0;
    QFile file(m_path);
    if (!file.exists())
        return Status::success();
    if (file.open(QIODevice::ReadOnly))
        *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Status::failure(QStringLiteral("生徒設定ファイル「%1」を読めません：%2")
                                   .arg(m_path, file.errorString()));
    if (bytes->isEmpty())
        return Status::success();
    QList<QByteArray> lines = bytes->split('\n');
    if (Status header = checkHeader(lines.first(), m_path); !header.ok())
        return header;
    // The last line end leaves an empty piece. A last line without one is read like the others:
    // cut short, it fails its checksum.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (const std::optional<PupilLine> line = parseLine(lines.at(i)))
            pupils->insert(line->first, line->second);
        else
            ++*damaged;
    }
    return Status::success();
}

Status PupilSettingsFile::read(QMap<int, PupilSettings>* out) const
{
    QByteArray bytes;
    int damaged = 0;
    const Status status = load(&bytes, out, &damaged);
    if (!status.ok() || damaged == 0)
        return status;
    return Status::failure(
        QStringLiteral("生徒設定ファイル「%1」の一部がこわれていたため、%2人分の設定を"
                       "はじめの状態にもどしました。こわれたファイルは、次に設定を変えるときに"
                       "「%3」として残します。")
            .arg(m_path)
            .arg(damaged)
            .arg(backupPath()),
        kDamagedLines);
}

Status PupilSettingsFile::update(int pupilNo, const std::function<void(PupilSettings&)>& change)
{
    if (!isValidPupilNo(pupilNo))
        return Status::failure(
            QStringLiteral(
                "番号%1の生徒の設定は保存できません（1から5000までの番号にしてください）。")
                .arg(pupilNo));
    Status updated;
    int waits = 0;
    const Status status = whileWholeFileLocked(
        m_calls, m_sleeper, lockPath(),
        [&](int) { return updated = updateLocked(pupilNo, change); }, &waits);
    if (status.ok() || !updated.ok())
        return status;
    return Status::failure(QStringLiteral("生徒設定を書きかえるための「%1」を使えません：%2")
                               .arg(lockPath(), status.message),
                           status.code);
}

Status PupilSettingsFile::updateLocked(int pupilNo,
                                       const std::function<void(PupilSettings&)>& change)
{
    QByteArray old;
    QMap<int, PupilSettings> pupils;
    int damaged = 0;
    if (Status status = load(&old, &pupils, &damaged); !status.ok())
        return status;
    PupilSettings& settings = pupils[pupilNo];
    change(settings);
    if (parseLine(lineOf(pupilNo, settings)) != PupilLine{pupilNo, settings})
        return Status::failure(
            QStringLiteral("番号%1の生徒の設定に、保存できない値（受験日など）があります。")
                .arg(pupilNo));
    // What a teacher set for the pupils of damaged lines may still be read off by hand.
    if (damaged > 0)
        if (Status status = writeFileDurably(backupPath(), old); !status.ok())
            return status;
    QByteArray bytes = QByteArray(kHeaderStart) + kVersion + '\n';
    for (auto pupil = pupils.cbegin(); pupil != pupils.cend(); ++pupil)
        if (!pupil->isDefault())
            bytes += lineOf(pupil.key(), *pupil) + '\n';
    return replaceFileDurably(m_path, m_path + QStringLiteral(".tmp"), bytes);
}
