// Running one test case as an ordinary user. The suites run as root on the
// build machines, and root passes every permission check, so a case about
// refused access would prove nothing there.
#pragma once

#ifndef _WIN32

namespace pixdeck::test {

// True when this process may ignore file permissions (runs as root).
bool RunningAsRoot();

// Runs the current test case again, in a copy of this test program kept in a
// scratch folder of its own, as the user "nobody" (through setpriv), and
// returns the child's exit status (0: the case passed there). Reports a
// failure and returns -1 when the child cannot be started.
int RunCurrentCaseUnprivileged();

}  // namespace pixdeck::test

#endif
