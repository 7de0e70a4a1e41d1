#include "core/catalogue.h"

#include "core/screennavigator.h"
#include "core/sharedstate.h"
#include "platform/events.h"

namespace {
constexpr int kCatalogueItemCount = 2 * kRangeCount;

void showDrillScreen(SharedState& state, ScreenNavigator& navigator, bool review)
{
    state.reviewDrill = review;
    state.drillRun = DrillRunFlags{};
    letPendingEventsRun();
    navigator.show(ScreenId::Drill);
}

} // namespace

QString rangeCaption(int range)
{
    QString text = QString::number(range);
    for (QChar& c : text)
        c = QChar(c.unicode() - u'0' + 0xFF10);
    return QStringLiteral("範囲") + text;
}

void setUpTitle(SharedState& state)
{
    state.printEnabled = 1;
    state.contentName = QStringLiteral("Sorawa");
}

void fillCatalogue(SharedState& state)
{
    state.itemCount = kCatalogueItemCount;
    state.finalItemNo = kCatalogueItemCount;
    for (int range = 1; range <= kRangeCount; ++range) {
        const QString caption = rangeCaption(range);
        const int test = rangeTestItem(range);
        state.itemName[test - 1] = caption + QStringLiteral("練");
        state.itemName[test] = caption;
        state.itemKind[test - 1] = 1;
        state.itemKind[test] = 1;
    }
}

void openCatalogue(SharedState& state, ScreenNavigator& navigator)
{
    fillCatalogue(state);
    navigator.show(ScreenId::Hub);
}

bool isPracticeItem(const SharedState& state, int item)
{
    return isValidItemNo(item) && state.itemName[item].contains(QStringLiteral("練"));
}

void startDrill(SharedState& state, ScreenNavigator& navigator)
{
    showDrillScreen(state, navigator, false);
}

void startReview(SharedState& state, ScreenNavigator& navigator)
{
    showDrillScreen(state, navigator, true);
}
