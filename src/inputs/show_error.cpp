#include "inputs/show_error.h"

namespace pixdeck {

EShowError::EShowError(std::uint16_t code, const QString& text)
    : std::runtime_error(MessageFor(code, text).toUtf8().constData()), code_(code) {}

QString EShowError::MessageFor(std::uint16_t code, const QString& text) {
  switch (code) {
    case 1:
      return QStringLiteral("Cannot set label position. Label parent is different from ") + text +
             QStringLiteral(" parent.");
    case 2:
      return QStringLiteral("Cannot attach label to ") + text +
             QStringLiteral(". Label and control must be on the same form!");
    case 3:
      return QStringLiteral(
                 "There can only be one instance of this component. The current one is called ") +
             text + QStringLiteral(".");
    case 4:
      return QStringLiteral("Incorrect tab values assigned to ") + text + QStringLiteral(".");
    case 5:
      return QStringLiteral("Cannot sort list; too many items in ") + text + QStringLiteral(".");
    case 6:
      return QStringLiteral("Insufficient memory; procedure canceled.");
    case 7:
      return QStringLiteral("\"") + text + QStringLiteral("\" is not in the list!");
    default:
      return text.isEmpty() ? QStringLiteral("Undefined exception (?)") : text;
  }
}

}  // namespace pixdeck
