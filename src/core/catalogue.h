#pragma once

#include <QString>

struct SharedState;
class ScreenNavigator;

// The drill title, set once at start: contentName "Sorawa", printEnabled 1.
void setUpTitle(SharedState& state);

inline constexpr int kRangeCount = 10;

// 「範囲１」: how the catalogue and every screen name a range.
QString rangeCaption(int range);

// The catalogue item of a range's timed test; the item before it is the range's practice walk.
inline int rangeTestItem(int range)
{
    return 2 * range;
}

// Fills the twenty item captions: ranges 1 to 10, each as practice ("練") and as test.
void fillCatalogue(SharedState& state);

// Fills the catalogue and shows the study hub without waiting.
void openCatalogue(SharedState& state, ScreenNavigator& navigator);

// Whether an item is a practice walk: its caption contains "練". Practice items record nothing.
bool isPracticeItem(const SharedState& state, int item);

// Clears the flags of the previous drill run, lets pending events run and shows the drill
// screen without waiting.
void startDrill(SharedState& state, ScreenNavigator& navigator);
// The same for a review of the pupil's due idioms.
void startReview(SharedState& state, ScreenNavigator& navigator);
