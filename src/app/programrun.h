#pragma once

#include <QString>

#include <functional>

class QtMessageBox;

// Loads the installation in programDir with the system's services, shows the name selection
// screen and runs the event loop until the program ends; returns the exit status. shown runs
// once the first screen is on view.
int runProgram(const QString& programDir, QtMessageBox& messages,
               const std::function<void()>& shown = {});
