#pragma once

// Opening the display. Where no platform plugin reaches a display server, Qt ends the program
// from inside the application object's constructor with a fatal message and abort() (exit status
// 134, and a hint to reinstall). Around that constructor, StartGuard holds Qt's messages back and
// turns that fatal one into one line on stderr and exit status 1.

namespace app {

class StartGuard
{
public:
    StartGuard();
    ~StartGuard();

    // The application object exists: passes the held messages on, as Qt would have printed them.
    void started();

    StartGuard(const StartGuard &) = delete;
    StartGuard &operator=(const StartGuard &) = delete;

private:
    bool m_holding = true;
};

} // namespace app
