// Texts of the core (bytes, UTF-8 where they are text) in Qt strings and back,
// byte for byte: a byte that is no part of valid UTF-8 (a Windows-1252 name
// from an older settings file) travels as the lone surrogate U+DC00 + its
// value (U+DC80 to U+DCFF), as the byte-keeping decoders of other systems do, and comes
// back as the same byte.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pixdeck {

QString TextFromBytes(std::string_view bytes);
std::string BytesFromText(const QString& text);

}  // namespace pixdeck
