// Running the current test case again in a child test program: a copy of this
// one in a scratch folder of its own, optionally as an ordinary user. The
// suites run as root on the build machines, and root passes every permission
// check; and the program's own folder is the test program's, shared by every
// run unless the case runs from a copy.
#pragma once

#ifndef _WIN32

namespace pixdeck::test {

// True when this process may ignore file permissions (runs as root).
bool RunningAsRoot();

// True inside a child started by RunCurrentCaseInChild.
bool InChildTestProgram();

// Copies this test program to <scratch>/program/, runs the current case
// there (as the user "nobody", through setpriv, when unprivileged is set)
// with its temporary folder in <scratch>/tmp, and returns the child's exit
// status: 0 when the case passed there. Reports a failure and returns -1 when
// the child cannot be started. The scratch folder goes with the call.
int RunCurrentCaseInChild(bool unprivileged);

}  // namespace pixdeck::test

#endif
