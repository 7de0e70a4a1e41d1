#include "core/settingsfiles.h"

#include "core/fieldreader.h"
#include "core/sharedstate.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kSettingsValueCount = 10;
constexpr int kTimeTableValuesPerItem = 12;
constexpr int kItemsNeedingTimes = 20;
constexpr int kLargestMultiplier = 1000;

Status missingFile(const QString& fileName, const QString& path)
{
    return Status::failure(
        QStringLiteral("設定ファイル「%1」が見つかりません。\n場所：%2").arg(fileName, path));
}

Status shortFile(const QString& fileName, const QString& path, int needed)
{
    return Status::failure(
        QStringLiteral("設定ファイル「%1」の値が足りません（%2個必要です）。\n場所：%3")
            .arg(fileName)
            .arg(needed)
            .arg(path));
}

// Reads exactly count values, or fails naming the file.
Status readValues(const QString& folder, const QString& fileName, int count, QList<QString>& values)
{
    const QString path = folder + fileName;
    FieldReader reader({});
    if (!FieldReader::open(path, reader))
        return missingFile(fileName, path);
    values.clear();
    while (values.size() < count && !reader.atEnd())
        values.append(reader.readValue());
    if (values.size() < count)
        return shortFile(fileName, path, count);
    return Status::success();
}

template <typename Int> Int toInteger(const QString& text)
{
    // Whole numbers are rounded, halves to the even number, and kept within the type.
    const double value = std::nearbyint(FieldReader::leadingNumber(text));
    const double low = static_cast<double>(std::numeric_limits<Int>::min());
    const double high = static_cast<double>(std::numeric_limits<Int>::max());
    return static_cast<Int>(std::clamp(value, low, high));
}

} // namespace

Status readSettings(SharedState& state, const QString& programFolder)
{
    QList<QString> values;
    if (Status status = readValues(programFolder, kSettingsFileName, kSettingsValueCount, values);
        !status.ok())
        return status;
    state.layoutFlag = toInteger<qint32>(values.at(0));
    return Status::success();
}

void splitSchoolNameAndCode(SharedState& state, const QString& value)
{
    const QString firstFive = value.left(5);
    if (FieldReader::leadingNumber(firstFive) != 0.0) {
        state.schoolCode = firstFive;
        state.schoolName = value.mid(5);
    } else {
        state.schoolName = value;
    }
}

Status readCommonData(SharedState& state)
{
    QList<QString> values;
    if (Status status =
            readValues(state.commonFolder, kCommonDataFileName, kSettingsValueCount, values);
        !status.ok())
        return status;
    state.schoolYearStartMonth = toInteger<qint32>(values.at(0));
    splitSchoolNameAndCode(state, values.at(1));
    state.commonOption3 = toInteger<qint32>(values.at(2));
    state.commonOption4 = values.at(3);
    for (int i = 1; i <= 6; ++i)
        state.commonExtra[static_cast<size_t>(i)] = values.at(3 + i);
    return Status::success();
}

Status readItemTimeTable(SharedState& state, const QString& fileName)
{
    const QString path = state.dataFolder + fileName;
    FieldReader reader({});
    if (!FieldReader::open(path, reader))
        return missingFile(fileName, path);
    int item = 0;
    while (!reader.atEnd() && item < kMaxItemNo) {
        ++item;
        QList<QString> v;
        while (v.size() < kTimeTableValuesPerItem && !reader.atEnd())
            v.append(reader.readValue());
        if (v.size() < kTimeTableValuesPerItem)
            return Status::failure(
                QStringLiteral(
                    "設定ファイル「%1」の項目%2の値が足りません（1項目に12個必要です）。\n場所：%3")
                    .arg(fileName)
                    .arg(item)
                    .arg(path));
        state.itemTargetTime[item] = toInteger<qint32>(v.at(0));
        state.itemLimitTime[item] = toInteger<qint32>(v.at(1));
        state.itemRequiredScore[item] = toInteger<qint32>(v.at(2));
        state.itemRequiredCount[item] = toInteger<qint16>(v.at(3));
        state.itemField5[item] = static_cast<float>(FieldReader::leadingNumber(v.at(4)));
        state.itemText6[item] = v.at(5);
        state.itemText7[item] = v.at(6);
        state.itemText8[item] = v.at(7);
        state.itemText9[item] = v.at(8);
        state.itemText10[item] = v.at(9);
        state.itemText11[item] = v.at(10);
        state.itemText12[item] = v.at(11);
    }
    return Status::success();
}

Status checkItemTimeTable(const SharedState& state)
{
    const QString path = state.dataFolder + kItemTimeTableFileName;
    for (int item = 1; item <= kItemsNeedingTimes; ++item) {
        if (state.itemTargetTime[item] <= 0 || state.itemLimitTime[item] <= 0)
            return Status::failure(
                QStringLiteral("設定ファイル「%1」の項目%"
                               "2に目標タイムと制限タイム（1以上）がありません。\n場所：%3")
                    .arg(kItemTimeTableFileName)
                    .arg(item)
                    .arg(path));
    }
    // Points are the multiplier times at most 55 a test, summed over thousands of tests.
    for (int item = 1; item <= kMaxItemNo; ++item) {
        const float multiplier = state.itemField5[item];
        if (!std::isfinite(multiplier) || multiplier < 0 || multiplier > kLargestMultiplier)
            return Status::failure(QStringLiteral("設定ファイル「%1」の項目%2のポイント倍率は0から%"
                                                  "3までにしてください。\n場所：%4")
                                       .arg(kItemTimeTableFileName)
                                       .arg(item)
                                       .arg(kLargestMultiplier)
                                       .arg(path));
    }
    return Status::success();
}
