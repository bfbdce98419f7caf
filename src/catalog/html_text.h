// Escaping of text that goes into an HTML page.
#pragma once

#include <string>
#include <string_view>

namespace pixdeck {

// Appends text with "&", "<", ">" and the double quote replaced by their
// character references, so that it is safe both as element text and inside a
// double-quoted attribute. Other characters (UTF-8 included) pass unchanged.
void AppendHtmlEscaped(std::string& out, std::string_view text);
std::string HtmlEscaped(std::string_view text);

}  // namespace pixdeck
