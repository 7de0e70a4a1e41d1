#pragma once

// Ends the program at once from however deep a call. Returning to the caller after a fatal
// error would let it go on as if nothing had failed (for example show a finish screen for a
// record that was never written), so implementations never return.
class ProgramExit
{
public:
    virtual ~ProgramExit() = default;
    [[noreturn]] virtual void exitProgram(int status) = 0;
};

// The real service: flushes standard streams and ends the process. Windows and files are
// released by the operating system; no screen gets a chance to run more logic.
class ProcessExit : public ProgramExit
{
public:
    [[noreturn]] void exitProgram(int status) override;
};
