// The reason a system call failed, in the words an Expected carries.
#pragma once

#include <cerrno>
#include <string>
#include <system_error>

#include "text/expected.h"

namespace pixdeck::platform {

// "<what>: <the system's text for code>"; safe on any thread, unlike strerror.
inline std::string ErrnoText(const std::string& what, int code) {
  return what + ": " + std::generic_category().message(code);
}

// The failure of the call that just set errno.
inline Unexpected<std::string> ErrnoFailure(const std::string& what) {
  const int code = errno;  // before anything else may change it
  return Unexpected(ErrnoText(what, code));
}

}  // namespace pixdeck::platform
