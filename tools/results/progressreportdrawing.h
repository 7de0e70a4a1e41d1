#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class GraphCanvas;
struct GraphPage;
struct ItemProgress;
struct PupilProgress;

// The texts of one row of a pupil's item table: item, tests, best, average, latest results,
// points and whether the item is mastered.
QStringList progressRowTexts(const ItemProgress& progress);

// Draws the pages of a progress report on A4 sheets: per pupil a new sheet with the heading,
// the item table, what to practise next and the time charts of the graph panel (charts holds
// the graph page of each pupil, in the same order).
void drawProgressReport(const std::vector<PupilProgress>& pupils,
                        const std::vector<GraphPage>& charts, GraphCanvas& canvas);
