#include "print/practicesheetprinting.h"

#include "platform/messagebox.h"
#include "print/pdffiledialog.h"
#include "print/practicesheet.h"
#include "print/qtprintdevices.h"
#include "writing/stroketable.h"

#include <QMessageBox>
#include <QPushButton>

namespace PracticeSheetPrinting {

namespace {

const QString kTitle = QStringLiteral("練習プリント");

enum class Choice { Print, Pdf, Cancel };

QPushButton* addChoice(QMessageBox& box, const QString& name, const QString& caption,
                       QMessageBox::ButtonRole role)
{
    QPushButton* button = box.addButton(caption, role);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    return button;
}

Choice ask(QWidget* parent, int count)
{
    QMessageBox box(QMessageBox::NoIcon, kTitle,
                    QStringLiteral("%1字の練習プリントを作ります。\n印刷しますか、PDFファイルに保存"
                                   "しますか？")
                        .arg(count),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("practiceSheetChoice"));
    QPushButton* print = addChoice(box, QStringLiteral("sheetPrint"), QStringLiteral("印刷"),
                                   QMessageBox::AcceptRole);
    QPushButton* pdf = addChoice(box, QStringLiteral("sheetPdf"), QStringLiteral("PDFに保存"),
                                 QMessageBox::AcceptRole);
    QPushButton* cancel = addChoice(box, QStringLiteral("sheetCancel"), QStringLiteral("やめる"),
                                    QMessageBox::RejectRole);
    box.setDefaultButton(print);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == print)
        return Choice::Print;
    if (box.clickedButton() == pdf)
        return Choice::Pdf;
    return Choice::Cancel;
}

} // namespace

void printOrSave(QWidget* parent, const std::vector<MissedKanji>& kanji, const QString& title,
                 MessageBox& messages)
{
    QtPrintDevices devices;
    printOrSave(parent, kanji, title, messages, devices);
}

void printOrSave(QWidget* parent, const std::vector<MissedKanji>& kanji, const QString& title,
                 MessageBox& messages, PrintDevices& devices)
{
    if (kanji.empty()) {
        messages.show(kTitle, QStringLiteral("練習する漢字はありません。書き取りでまちがえた漢字"
                                             "が、ここに出ます。"));
        return;
    }
    const Choice choice = ask(parent, static_cast<int>(kanji.size()));
    if (choice == Choice::Cancel)
        return;
    if (choice == Choice::Print && !devices.printerInstalled()) {
        messages.show(kTitle, QStringLiteral("プリンターが見つかりません。プリンターをつないで設"
                                             "定するか、「PDFに保存」を選んでください。"));
        return;
    }
    QString path;
    if (choice == Choice::Pdf) {
        path = askPdfFileName(parent, title.isEmpty()
                                          ? QStringLiteral("練習プリント.pdf")
                                          : QStringLiteral("練習プリント_%1.pdf").arg(title));
        if (path.isEmpty())
            return;
    }
    StrokeTable strokes;
    // Without the table the sheet still has its rows and boxes, only no stroke-order figures.
    strokes.load(StrokeTable::kBuiltInPath);
    const PracticeSheet sheet(kanji, title, strokes);
    const Status status =
        choice == Choice::Print ? sheet.print(devices) : sheet.writePdf(path, devices);
    if (!status.ok())
        messages.show(kTitle, status.message);
    else if (choice == Choice::Pdf)
        messages.show(kTitle, QStringLiteral("PDFファイルに保存しました。\n%1").arg(path));
}

} // namespace PracticeSheetPrinting
