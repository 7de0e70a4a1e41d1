#pragma once

#include <QString>

// The outcome of an operation that can fail: code 0 is success, anything else carries a
// message for the user. File code returns these instead of showing dialogs itself.
struct Status
{
    int code = 0;
    QString message;

    bool ok() const { return code == 0; }
    static Status success() { return {}; }
    static Status failure(const QString& message, int code = 1) { return {code, message}; }
};
