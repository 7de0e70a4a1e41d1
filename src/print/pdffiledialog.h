#pragma once

#include <QString>

class QWidget;

// Asks where to save a PDF file, starting from suggestion in the home folder; the name ends
// with ".pdf". Empty when the user cancels.
QString askPdfFileName(QWidget* parent, const QString& suggestion);
