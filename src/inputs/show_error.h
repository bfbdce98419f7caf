// The exception of the input and labelled controls: a code and a component
// name turned into one of the library's fixed messages.
#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace pixdeck {

class EShowError : public std::runtime_error {
 public:
  // text: usually the name of the component concerned.
  EShowError(std::uint16_t code, const QString& text);

  std::uint16_t Code() const { return code_; }
  QString Message() const { return QString::fromUtf8(what()); }

  // The message for a code and a text.
  static QString MessageFor(std::uint16_t code, const QString& text);

 private:
  std::uint16_t code_;
};

}  // namespace pixdeck
