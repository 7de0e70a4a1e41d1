#pragma once

#include <QString>
#include <QStringList>

// Starts other programs and hands files and addresses to the desktop: the program menu of the
// family on quitting, the maker's web page and the contact mail. Nothing waits
// for what it starts. Injected so that tests can record the requests.
class DesktopLauncher
{
public:
    virtual ~DesktopLauncher() = default;
    // Starts program with arguments as a separate process; false when it could not start.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // Opens a web address in the browser or a "mailto:" address in the mail program.
    virtual bool openAddress(const QString& address) = 0;
};

// The real launcher: detached processes and the desktop's default handlers.
class SystemDesktopLauncher : public DesktopLauncher
{
public:
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool openAddress(const QString& address) override;
};
