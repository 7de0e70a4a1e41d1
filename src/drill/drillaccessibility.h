#pragma once

// Lets assistive technology reach the drill's painted elements: a choosable tile is a button
// named after its character that can be pressed, and the time gauge tells how much of the time
// is gone. Safe to call more than once.
void installDrillAccessibility();
