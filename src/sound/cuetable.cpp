#include "sound/cuetable.h"

#include "core/fieldreader.h"

#include <algorithm>
#include <cmath>

CueTable::CueTable()
{
    const std::array<QString, kCueCount + 1> names = {
        QString(),           QStringLiteral("正解音1"),     QStringLiteral("正解音2"),
        QStringLiteral("間違い音1"),  QStringLiteral("間違い音2"),   QStringLiteral("最高音1"),
        QStringLiteral("最高音2"),    QStringLiteral("自己最高音1"), QStringLiteral("自己最高音2"),
        QStringLiteral("自己最高音3"), QStringLiteral("不合格音1")};
    for (int e = 1; e <= kCueCount; ++e)
        m_cells[static_cast<size_t>(e)][0] = names[static_cast<size_t>(e)];
}

const QString& CueTable::cell(int cue, int row) const
{
    static const QString none;
    if (cue < 1 || cue > kCueCount || row < 0 || row > kCountRow)
        return none;
    return m_cells[static_cast<size_t>(cue)][static_cast<size_t>(row)];
}

void CueTable::clearFiles()
{
    for (int e = 1; e <= kCueCount; ++e)
        for (int f = 1; f <= kCountRow; ++f)
            m_cells[static_cast<size_t>(e)][static_cast<size_t>(f)].clear();
}

Status CueTable::load(const QString& listFilePath)
{
    clearFiles();
    FieldReader reader({});
    if (!FieldReader::open(listFilePath, reader))
        return Status::failure(
            QStringLiteral("音の一覧ファイル「%1」が見つかりません。\n場所：%2")
                .arg(kCueListFileName, listFilePath));
    while (!reader.atEnd()) {
        const QString value = reader.readValue();
        for (int e = 1; e <= kCueCount; ++e) {
            if (value != name(e))
                continue;
            auto& column = m_cells[static_cast<size_t>(e)];
            for (int f = 1; f <= kFileRows && !reader.atEnd(); ++f) {
                const QString file = reader.readValue();
                if (file == QStringLiteral("*")) {
                    column[kCountRow] = QString::number(f - 1);
                    break;
                }
                column[static_cast<size_t>(f)] = file;
            }
            break;
        }
    }
    return Status::success();
}

const QString& CueTable::pickFile(int cue, double r) const
{
    const double n = std::max(0.0, FieldReader::leadingNumber(countText(cue)));
    const int index = static_cast<int>(std::floor(std::clamp(r, 0.0, 1.0) * n + 1.0));
    return fileName(cue, std::clamp(index, 1, static_cast<int>(std::max(1.0, n))));
}
