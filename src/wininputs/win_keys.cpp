#include "wininputs/win_keys.h"

namespace pixdeck::wininputs {

namespace {

editing::Key KeyOf(WPARAM virtualKey) {
  using editing::Key;
  switch (virtualKey) {
    case VK_BACK:
      return Key::Backspace;
    case VK_PRIOR:
      return Key::PageUp;
    case VK_NEXT:
      return Key::PageDown;
    case VK_END:
      return Key::End;
    case VK_HOME:
      return Key::Home;
    case VK_LEFT:
      return Key::Left;
    case VK_UP:
      return Key::Up;
    case VK_RIGHT:
      return Key::Right;
    case VK_DOWN:
      return Key::Down;
    case VK_INSERT:
      return Key::Insert;
    case VK_DELETE:
      return Key::Delete;
    case VK_ESCAPE:
      return Key::Escape;
    case VK_CLEAR:
      return Key::Clear;
    case VK_SELECT:
      return Key::Select;
    default:
      return Key::Other;
  }
}

bool Held(int virtualKey) {
  return (GetKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

editing::KeyStroke StrokeOf(WPARAM virtualKey) {
  editing::KeyStroke stroke;
  stroke.key = KeyOf(virtualKey);
  const bool shift = Held(VK_SHIFT);
  const bool other = Held(VK_CONTROL) || Held(VK_MENU) || Held(VK_LWIN) || Held(VK_RWIN);
  if (other) {
    stroke.shift = editing::ShiftState::Other;
  } else {
    stroke.shift = shift ? editing::ShiftState::Shift : editing::ShiftState::None;
  }
  return stroke;
}

}  // namespace pixdeck::wininputs
