#pragma once

#include <QString>

// Removes ASCII spaces at both ends; a full-width space is part of the text (names are
// padded with ASCII spaces in the files, and a full-width space may belong to a name).
QString trimBlanks(const QString& text);
