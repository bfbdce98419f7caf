// Escaping of text that goes into an HTML page.
#pragma once

#include <string>
#include <string_view>

namespace pixdeck {

// Appends text so that it is safe both as element text and inside a
// double-quoted attribute, keeps the page valid UTF-8 and never spreads over
// two lines: "&", "<", ">" and the double quote become character references,
// control characters their visible pictures (U+2400 to U+241F, DEL U+2421)
// and every byte that is not well-formed UTF-8 the replacement character
// U+FFFD. Other text, UTF-8 included, passes unchanged.
void AppendHtmlEscaped(std::string& out, std::string_view text);
std::string HtmlEscaped(std::string_view text);

}  // namespace pixdeck
