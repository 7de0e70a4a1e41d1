#include "hub/graphpanel.h"

#include "core/blanks.h"
#include "core/sharedstate.h"
#include "hub/graphdrawing.h"
#include "platform/messagebox.h"
#include "records/records.h"

namespace {

// The panel opens with the first three items chosen.
constexpr int kItemsChosenAtOpen = 3;

// The pupil number after the last "/" of a line of List2; 0 when there is none.
int pupilOfLine(const QString& line)
{
    const qsizetype slash = line.lastIndexOf(u'/');
    return slash < 0 ? 0 : line.mid(slash + 1).trimmed().toInt();
}

} // namespace

GraphPanel::GraphPanel(const SharedState& state, Records& records, const Clock& clock,
                       MessageBox& messages)
    : m_state(state), m_records(records), m_clock(clock), m_messages(messages)
{
}

void GraphPanel::setPrintAllowed(bool allowed)
{
    m_printAllowed = allowed;
    if (m_view)
        m_view->setPrintVisible(allowed);
}

void GraphPanel::open(const GraphPanelInputs& inputs)
{
    m_inputs = inputs;
    m_pupil = inputs.pupil;
    m_open = true;
    if (!m_view)
        return;
    m_view->setPupilList(inputs.pupilLines);
    m_view->setItemList(inputs.itemLines);
    m_view->setPupilListVisible(false);
    m_view->setOthersButtonVisible(true);
    m_view->clearPupilSelection();
    QList<int> first;
    for (int line = 0; line < kItemsChosenAtOpen && line < inputs.itemLines.size(); ++line)
        first.append(line);
    m_view->selectItemLines(first);
    m_view->setPrintVisible(m_printAllowed);
    m_view->setPanelVisible(true);
    drawOnScreen();
}

void GraphPanel::close()
{
    m_open = false;
    if (m_view)
        m_view->setPanelVisible(false);
}

void GraphPanel::showOthers()
{
    if (!m_view)
        return;
    m_view->setOthersButtonVisible(false);
    m_view->setPupilListVisible(true);
}

void GraphPanel::pupilClicked()
{
    drawRequested(ScreenTarget);
}

void GraphPanel::itemClicked()
{
    // The lists keep their selection while the panel is hidden; only a visible panel draws.
    if (m_open)
        drawRequested(ScreenTarget);
}

QList<int> GraphPanel::chosenPupils() const
{
    QList<int> pupils;
    if (m_view) {
        for (const int line : m_view->selectedPupilLines()) {
            if (line >= 0 && line < m_inputs.pupilLines.size())
                pupils.append(pupilOfLine(m_inputs.pupilLines.at(line)));
        }
    }
    if (pupils.isEmpty())
        pupils.append(m_pupil);
    return pupils;
}

GraphPage GraphPanel::pageFor(int pupil) const
{
    GraphRequest request;
    request.pupil = pupil;
    request.gradeFilter = m_inputs.gradeFilter;
    request.period = m_inputs.pointsPeriod;
    if (m_view) {
        for (const int line : m_view->selectedItemLines())
            request.items.push_back(line + 1);
    }
    const GraphDataReader reader(m_state, m_records.tables(), m_records.fileCalls(), m_clock);
    return reader.read(request);
}

void GraphPanel::drawRequested(int target)
{
    const QList<int> pupils = chosenPupils();
    m_pupil = pupils.last();
    if (target == PrinterTarget)
        printPages(pupils);
    drawOnScreen();
}

void GraphPanel::drawOnScreen()
{
    m_page = pageFor(m_pupil);
    if (m_view)
        m_view->showPage(m_page);
}

bool GraphPanel::drawOnPaper(const QList<int>& pupils, GraphCanvas& canvas)
{
    bool first = true;
    for (const int pupil : pupils) {
        const GraphPage page = pageFor(pupil);
        if (!page.status.ok()) {
            tell(page.status.message);
            return false;
        }
        // Every pupil's page starts on a sheet of its own.
        if (!first)
            canvas.newPage();
        first = false;
        drawGraphPage(page, canvas, GraphLayout::kPaperHeight);
    }
    return true;
}

void GraphPanel::printPages(const QList<int>& pupils)
{
    if (!m_printAllowed || !m_view)
        return;
    if (m_view->selectedItemLines().isEmpty()) {
        tell(QStringLiteral("グラフにする項目を選んでください。"));
        return;
    }
    if (!m_paper || !m_paper->printerInstalled()) {
        tell(kNoPrinterText);
        return;
    }
    std::unique_ptr<GraphDocument> document = m_paper->startPrinterDocument();
    if (!document) {
        tell(QStringLiteral("印刷を始められませんでした。プリンターの設定を確かめてください。"));
        return;
    }
    if (!drawOnPaper(pupils, document->canvas()))
        return;
    if (!document->finish())
        tell(QStringLiteral("印刷できませんでした。プリンターの設定を確かめてください。"));
}

void GraphPanel::saveAsPdf()
{
    if (!m_printAllowed || !m_view || !m_paper)
        return;
    if (m_view->selectedItemLines().isEmpty()) {
        tell(QStringLiteral("グラフにする項目を選んでください。"));
        return;
    }
    const QList<int> pupils = chosenPupils();
    m_pupil = pupils.last();
    const QString name =
        isValidPupilNo(m_pupil) ? trimBlanks(m_state.pupilNameByNo[m_pupil]) : QString();
    const QString path =
        m_view->choosePdfFileName(QStringLiteral("グラフ_") + name + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    std::unique_ptr<GraphDocument> document = m_paper->startPdfDocument(path);
    if (!document) {
        tell(QStringLiteral("PDFファイルを作れませんでした。\n%1").arg(path));
        return;
    }
    if (!drawOnPaper(pupils, document->canvas()))
        return;
    if (document->finish())
        tell(QStringLiteral("PDFファイルに保存しました。\n%1").arg(path));
    else
        tell(QStringLiteral("PDFファイルを保存できませんでした。\n%1").arg(path));
}

void GraphPanel::tell(const QString& text)
{
    m_messages.show(QStringLiteral("印刷"), text);
}
