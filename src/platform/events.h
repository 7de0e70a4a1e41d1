#pragma once

// Lets waiting screen events (paints, clicks, timer ticks) run and returns. Code that calls
// it must re-check its guards afterwards: a click or a tick may have come in between.
void letPendingEventsRun();
