// Where a DDE service listens on POSIX (see platform/dde.h for the exchange).
#pragma once

#include <string>

namespace pixdeck::platform {

// The folder of the service sockets: $XDG_RUNTIME_DIR/pixdeck-dde when that
// variable names a folder, else /tmp/pixdeck-dde-<uid>. Not created here.
std::string DdeSocketDirectory();

// The socket path of one service; empty when the name is empty or could
// leave the folder ("/", ".", "..").
std::string DdeSocketPath(const std::string& service);

}  // namespace pixdeck::platform
