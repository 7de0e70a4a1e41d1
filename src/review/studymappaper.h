#pragma once

#include "review/missedkanji.h"

#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class MessageBox;
class QPainter;
class QWidget;

// Draws sheets: the painter, the printable area in device pixels, pixels per millimetre and
// a way to start the next sheet.
using SheetDrawing =
    std::function<void(QPainter&, const QRectF&, double, const std::function<bool()>&)>;

// The printer and PDF files of the map, on A4 portrait. The program's comes from the print
// folder; tests bring their own.
class StudyMapPaper
{
public:
    virtual ~StudyMapPaper() = default;
    virtual bool printerInstalled() const = 0;
    // Empty when the user cancels.
    virtual QString choosePdfFileName(QWidget* parent, const QString& suggestion) = 0;
    // False when the document could not be started or finished.
    virtual bool print(const SheetDrawing& drawing) = 0;
    virtual bool saveAsPdf(const QString& path, const SheetDrawing& drawing) = 0;
    // The practice sheet of these kanji, printed or saved as the user chooses; title names the
    // pupil. Whatever comes of it is told through messages.
    virtual void printPracticeSheet(QWidget* parent, const std::vector<MissedKanji>& kanji,
                                    const QString& title, MessageBox& messages) = 0;
};
