#include "wininputs/edit_box.h"

#include "wininputs/input_box_master.h"
#include "wininputs/win_keys.h"
#include "wininputs/win_text.h"

namespace pixdeck::wininputs {

EditBox::EditBox(editing::EditPolicy policy) : model_(*this, policy) {}

EditBox::~EditBox() {
  Detach();
}

void EditBox::Attach(HWND edit) {
  Detach();
  if (edit == nullptr) {
    return;
  }
  editHook_.Attach(edit, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return HandleEditMessage(message, wParam, lParam, result);
  });
  parentHook_.Attach(GetParent(edit),
                     [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                       return HandleParentMessage(message, wParam, lParam, result);
                     });
  JoinMaster(edit);
  // The end of loading: the caret at the start, the text as the undo text,
  // the box not modified (Wine marks an EDIT created with a text modified).
  SetSelection(0, 0);
  SetModified(false);
  Loading();
  model_.FinishLoading();
}

void EditBox::Detach() {
  LeaveMaster();
  parentHook_.Detach();
  editHook_.Detach();
}

std::string EditBox::TextUtf8() const {
  return ToUtf8(GetText());
}

void EditBox::SetInitialTextUtf8(std::string_view text) {
  SetInitialText(FromUtf8(text));
}

void EditBox::SetReadOnly(bool value) {
  if (Handle() != nullptr) {
    SendMessageW(Handle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
  }
}

bool EditBox::IsReadOnly() const {
  return Handle() != nullptr && (GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY) != 0;
}

void EditBox::SelectAllText() {
  if (Handle() != nullptr) {
    SendMessageW(Handle(), EM_SETSEL, 0, -1);
  }
}

int EditBox::SelStart() const {
  DWORD start = 0;
  DWORD end = 0;
  if (Handle() != nullptr) {
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  }
  return static_cast<int>(start);
}

int EditBox::SelLength() const {
  DWORD start = 0;
  DWORD end = 0;
  if (Handle() != nullptr) {
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  }
  return end > start ? static_cast<int>(end - start) : 0;
}

void EditBox::SetSelection(int start, int length) {
  if (Handle() != nullptr) {
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start),
                 static_cast<LPARAM>(start + (length > 0 ? length : 0)));
  }
}

void EditBox::SetModified(bool value) {
  if (Handle() != nullptr) {
    SendMessageW(Handle(), EM_SETMODIFY, value ? TRUE : FALSE, 0);
  }
}

// --- EditControl ------------------------------------------------------------

editing::Text EditBox::GetText() const {
  return WindowText(Handle());
}

void EditBox::SetText(const editing::Text& text) {
  if (Handle() != nullptr) {
    SetWindowTextW(Handle(), Wide(text));
  }
}

bool EditBox::HasFocus() const {
  return Handle() != nullptr && GetFocus() == Handle();
}

bool EditBox::IsModified() const {
  return Handle() != nullptr && SendMessageW(Handle(), EM_GETMODIFY, 0, 0) != 0;
}

bool EditBox::ClipboardHasText() const {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

void EditBox::Cut() {
  CallControl(WM_CUT, 0, 0);
}

void EditBox::Copy() {
  CallControl(WM_COPY, 0, 0);
}

void EditBox::Paste() {
  CallControl(WM_PASTE, 0, 0);
}

void EditBox::ClearSelection() {
  CallControl(WM_CLEAR, 0, 0);
}

void EditBox::EmptyText() {
  // As the user would: select everything and delete it, so that the control
  // reports the change and can undo it.
  SendMessageW(Handle(), EM_SETSEL, 0, -1);
  CallControl(WM_CLEAR, 0, 0);
}

bool EditBox::CanUndoOwn() const {
  return Handle() != nullptr && SendMessageW(Handle(), EM_CANUNDO, 0, 0) != 0;
}

void EditBox::UndoOwn() {
  CallControl(EM_UNDO, 0, 0);
}

editing::ModeMaster* EditBox::WindowMaster() const {
  return Master();
}

void EditBox::Edited() {
  if (onEdited_) {
    onEdited_();
  }
}

void EditBox::Changed() {
  if (onChange_) {
    onChange_();
  }
}

// --- messages ---------------------------------------------------------------

bool EditBox::HandleEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_GETDLGCODE: {
      result = CallControl(message, wParam, lParam);
      // An Escape that undoes is the box's, not the dialog's Cancel.
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE &&
          model_.UndoWhenEsc() && IsModified()) {
        result |= DLGC_WANTMESSAGE;
      }
      return true;
    }
    case WM_KEYDOWN:
      if (model_.KeyDown(StrokeOf(wParam))) {
        result = 0;
        return true;
      }
      return false;
    case WM_KEYUP:
      // The model sees releases only, never a key's repeats.
      result = model_.KeyUp(StrokeOf(wParam)) ? 0 : CallControl(message, wParam, lParam);
      CaretMayHaveMoved();
      return true;
    case WM_LBUTTONUP:
      result = CallControl(message, wParam, lParam);
      model_.MouseUp();
      CaretMayHaveMoved();
      return true;
    case WM_KILLFOCUS:
      model_.FocusLost();
      return false;
    case WM_PASTE:
      model_.PasteSelection();
      CaretMayHaveMoved();
      result = 0;
      return true;
    case WM_UNDO:
    case EM_UNDO:
      // The box's undo is the model's (back to the undo text).
      model_.Undo();
      result = TRUE;
      return true;
    case WM_CONTEXTMENU:
      if (Master() != nullptr && Master()->UseContextMenu()) {
        Master()->ShowMenuFor(
            *this, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        result = 0;
        return true;
      }
      return false;
    case WM_NCDESTROY:
      LeaveMaster();
      parentHook_.Detach();
      return false;
    default:
      return false;
  }
}

bool EditBox::HandleParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& /*result*/) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && Handle() != nullptr &&
      reinterpret_cast<HWND>(lParam) == Handle()) {
    model_.TextChanged();
  }
  return false;  // the window sees its notifications too
}

}  // namespace pixdeck::wininputs
