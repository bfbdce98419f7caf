#include "inputs/show_error.h"

#include "editing/show_error_text.h"
#include "inputs/edit_keys.h"

namespace pixdeck {

EShowError::EShowError(std::uint16_t code, const QString& text)
    : std::runtime_error(MessageFor(code, text).toUtf8().constData()), code_(code) {}

QString EShowError::MessageFor(std::uint16_t code, const QString& text) {
  return edit_keys::FromText(editing::ShowErrorMessage(code, edit_keys::ToText(text)));
}

}  // namespace pixdeck
