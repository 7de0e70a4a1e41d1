#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>

// One result as the record files hold it.
struct ResultRecord
{
    double date = 0; // day number, see DayNumber
    double time = 0; // fraction of the day
    qint16 pupilNo = 0;
    qint16 itemNo = 0;
    qint32 result = 0;                                       // seconds; 99999 = time-over
    std::array<char, 5> schoolCode{' ', ' ', ' ', ' ', ' '}; // code page bytes, space-padded
    qint32 points = 0; // read from the points field; this program writes it blank
    qint32 value = 0;  // read from the value field; this program writes "0"

    QString schoolCodeText() const;
    void setSchoolCode(const QString& code);
};

// The byte layouts of the two record files. Several machines and other programs of the
// family read and append to these files, so every byte is a contract: numbers are
// little-endian, texts are in the Windows Japanese code page padded with spaces.
//
// Result file, 44 bytes:
//   0 date (double)   8 time (double)   16 pupil (int16)   18 item (int16)   20 result (int32)
//   24 school code (5)   29 points (5, written blank)   34 value (5, written "0")
//   39 five zero bytes
// Home-use file, 66 bytes:
//   0 program folder name with a trailing "\" (20)   20 content number (int16, written 0)
//   22 date   30 time   38 pupil   40 item   42 result   46 school code (5)
//   51 fifteen zero bytes
class RecordCodec
{
public:
    static constexpr int kResultLength = 44;
    static constexpr int kHomeLength = 66;
    static constexpr int kProgramNameLength = 20;

    static QByteArray encodeResult(const ResultRecord& record);
    // bytes holds at least kResultLength bytes.
    static ResultRecord decodeResult(const char* bytes);
    // Only date, time, pupil, item and result: what a scan over many records needs.
    static ResultRecord decodeResultNumbers(const char* bytes);
    // What both layouts share: date, time, pupil, item, result and school code, without the
    // numeric text fields, which a pass over every record need not parse.
    static ResultRecord decodeResultBody(const char* bytes);
    // The value field alone.
    static qint32 decodeResultValue(const char* bytes);

    static QByteArray encodeHome(const ResultRecord& record, const QString& programName);
    // bytes holds at least kHomeLength bytes; *programName gets the first field.
    static ResultRecord decodeHome(const char* bytes, QString* programName = nullptr);

    // The program's entry of the home-use file: the last folder name of a folder path
    // ("/a/四字熟語/" gives "四字熟語\"), in the Windows form the family reads.
    static QString homeProgramName(const QString& dataFolder);

    // A text in the code page, cut to at most width bytes on a character boundary (a
    // double-byte character is never split) and padded with spaces.
    static QByteArray fixedWidthText(const QString& text, int width);

    // The value of a numeric text field: its leading decimal number, 0 for blanks.
    static qint32 numberField(const char* bytes, int width);
};
