#pragma once

#include "review/missedkanji.h"

#include <QString>

#include <vector>

class MessageBox;
class PrintDevices;
class QWidget;

// The practice sheet as the screens reach it: asks whether to print it or save it as a PDF
// file, then does so; what went wrong or where the file went is told through messages.
namespace PracticeSheetPrinting {

// title names the pupil on the sheet and in the suggested file name; it may be empty.
void printOrSave(QWidget* parent, const std::vector<MissedKanji>& kanji, const QString& title,
                 MessageBox& messages);
// The same through other printer and PDF files.
void printOrSave(QWidget* parent, const std::vector<MissedKanji>& kanji, const QString& title,
                 MessageBox& messages, PrintDevices& devices);

} // namespace PracticeSheetPrinting
