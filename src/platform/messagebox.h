#pragma once

#include <QString>

// Modal message boxes. Logic code asks through this interface so that tests can record the
// texts and script the answers.
class MessageBox
{
public:
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~MessageBox() = default;
    virtual Answer show(const QString& title, const QString& text, Buttons buttons = Buttons::Ok) = 0;
};
