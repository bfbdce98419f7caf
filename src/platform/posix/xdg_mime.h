// The desktop's file types and default applications, asked of xdg-mime.
#pragma once

#include <string>
#include <vector>

namespace pixdeck::platform {

// Asks xdg-mime; the first line of its answer, or empty when it is missing,
// fails or takes more than a few seconds.
std::string QueryXdgMime(const std::vector<std::string>& arguments);
// What starts the desktop's default application for a MIME type (see
// StartCommandOf); empty when there is none or it is not installed.
std::string DefaultProgramFor(const std::string& mimeType);

}  // namespace pixdeck::platform
