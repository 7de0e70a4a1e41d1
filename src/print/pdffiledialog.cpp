#include "print/pdffiledialog.h"

#include <QDir>
#include <QFileDialog>

QString askPdfFileName(QWidget* parent, const QString& suggestion)
{
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("PDFに保存"),
                                                QDir::home().filePath(suggestion),
                                                QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    return path;
}
