#include "wininputs/qel_combo_box.h"

#include <algorithm>

#include "wininputs/input_box_master.h"
#include "wininputs/locale_order.h"
#include "wininputs/win_keys.h"
#include "wininputs/win_text.h"

namespace pixdeck::wininputs {

namespace {

// Leaving the box is checked once the focus has moved: asking the window
// (or taking the focus back) inside the focus change itself is not allowed.
const UINT kValidateOnExit = RegisterWindowMessageW(L"pixdeck.ComboValidateOnExit");

bool IsDeletingKey(WPARAM key) {
  return key == VK_BACK || key == VK_CLEAR || key == VK_DELETE;
}

int SelectionOf(HWND edit, bool wantLength) {
  DWORD start = 0;
  DWORD end = 0;
  if (edit != nullptr) {
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  }
  if (wantLength) {
    return end > start ? static_cast<int>(end - start) : 0;
  }
  return static_cast<int>(start);
}

}  // namespace

TQelComboBox::TQelComboBox() : combo_(comboPart_, edit_, UserLocaleOrder::Instance()) {}

TQelComboBox::~TQelComboBox() {
  Detach();
}

void TQelComboBox::Attach(HWND combo) {
  Detach();
  if (combo == nullptr) {
    return;
  }
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(combo, &info) || info.hwndItem == nullptr) {
    return;  // no edit part: not a drop-down combo box
  }
  list_ = info.hwndList;
  comboHook_.Attach(combo, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return HandleComboMessage(message, wParam, lParam, result);
  });
  editHook_.Attach(info.hwndItem,
                   [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                     return HandleEditMessage(message, wParam, lParam, result);
                   });
  parentHook_.Attach(GetParent(combo),
                     [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
                       return HandleParentMessage(message, wParam, lParam, result);
                     });
  if (readOnly_) {
    SendMessageW(info.hwndItem, EM_SETREADONLY, TRUE, 0);
  }
  JoinMaster(combo);
  // The end of loading.
  combo_.Loaded();
  if (SelLength() > 0 && GetFocus() != EditHandle()) {
    SetSelection(SelStart(), 0);
  }
  edit_.FinishLoading();
  combo_.RememberText();
}

void TQelComboBox::Detach() {
  LeaveMaster();
  parentHook_.Detach();
  editHook_.Detach();
  comboHook_.Detach();
  list_ = nullptr;
}

void TQelComboBox::SetReadOnly(bool value) {
  readOnly_ = value;
  if (EditHandle() != nullptr) {
    SendMessageW(EditHandle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
  }
}

// --- the list ------------------------------------------------------------------------

int TQelComboBox::Count() const {
  if (Handle() == nullptr) {
    return 0;
  }
  const LRESULT count = SendMessageW(Handle(), CB_GETCOUNT, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

std::u16string TQelComboBox::Item(int index) const {
  if (Handle() == nullptr || index < 0 || index >= Count()) {
    return {};
  }
  const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) {
    return {};
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(got < 0 ? 0 : static_cast<size_t>(got));
  return FromWide(text);
}

std::vector<std::u16string> TQelComboBox::Items() const {
  std::vector<std::u16string> items;
  const int count = Count();
  items.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    items.push_back(Item(i));
  }
  return items;
}

void TQelComboBox::SetItems(const std::vector<std::u16string>& items) {
  if (Handle() == nullptr) {
    return;
  }
  const editing::Text shown = Text();
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (const std::u16string& item : items) {
    const int place = combo_.Options().sorted ? combo_.History().SortedPlace(item) : Count();
    SendMessageW(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(place),
                 reinterpret_cast<LPARAM>(Wide(item)));
  }
  SetEditText(shown);
  combo_.SelectFirstItem();
  combo_.RememberText();
}

std::vector<std::string> TQelComboBox::ItemsUtf8() const {
  std::vector<std::string> items;
  for (const std::u16string& item : Items()) {
    items.push_back(ToUtf8(item));
  }
  return items;
}

void TQelComboBox::SetItemsUtf8(const std::vector<std::string>& items) {
  std::vector<std::u16string> texts;
  texts.reserve(items.size());
  for (const std::string& item : items) {
    texts.push_back(FromUtf8(item));
  }
  SetItems(texts);
}

int TQelComboBox::ItemIndex() const {
  if (Handle() == nullptr) {
    return -1;
  }
  const LRESULT index = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void TQelComboBox::SetListIndex(int index) {
  if (Handle() == nullptr) {
    return;
  }
  if (index < -1 || index >= Count()) {
    index = -1;
  }
  // The control shows the item's text (none for -1), as the flow expects.
  SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SetEditText(index >= 0 ? Item(index) : editing::Text());
}

void TQelComboBox::MoveItem(int fromIndex, int toIndex) {
  const int count = Count();
  if (fromIndex == toIndex || fromIndex < 0 || fromIndex >= count) {
    return;
  }
  // The item's data travels with its text; the text shown stays.
  const editing::Text shown = Text();
  const bool wasSelected = ItemIndex() == fromIndex;
  const editing::Text text = Item(fromIndex);
  const LRESULT data = SendMessageW(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(fromIndex), 0);
  SendMessageW(Handle(), CB_DELETESTRING, static_cast<WPARAM>(fromIndex), 0);
  toIndex = std::clamp(toIndex, 0, count - 1);
  SendMessageW(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(toIndex),
               reinterpret_cast<LPARAM>(Wide(text)));
  SendMessageW(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(toIndex), data);
  if (wasSelected) {
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(toIndex), 0);
  }
  SetEditText(shown);
}

void TQelComboBox::ComboPart::InsertItem(int index, const editing::Text& text) {
  SendMessageW(box_.Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(Wide(text)));
}

bool TQelComboBox::ComboPart::AskNotInList(editing::Text& text, bool acceptByDefault) {
  bool accept = acceptByDefault;
  box_.onNotInList_(text, accept);
  return accept;
}

void TQelComboBox::ComboPart::FocusBox() {
  if (box_.EditHandle() != nullptr) {
    SetFocus(box_.EditHandle());
  }
}

// --- the text ------------------------------------------------------------------------

std::u16string TQelComboBox::Text() const {
  return WindowText(EditHandle());
}

void TQelComboBox::SetEditText(const std::u16string& text) {
  if (EditHandle() == nullptr || Text() == text) {
    return;
  }
  // The edit part reports no change for the program's write, and the list
  // keeps its selection.
  const int index = ItemIndex();
  SetWindowTextW(EditHandle(), Wide(text));
  if (ItemIndex() != index && list_ != nullptr) {
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

std::string TQelComboBox::TextUtf8() const {
  return ToUtf8(Text());
}

void TQelComboBox::SetInitialTextUtf8(std::string_view text) {
  SetInitialText(FromUtf8(text));
}

int TQelComboBox::SelStart() const {
  return SelectionOf(EditHandle(), false);
}

int TQelComboBox::SelLength() const {
  return SelectionOf(EditHandle(), true);
}

void TQelComboBox::SetSelection(int start, int length) {
  if (EditHandle() != nullptr) {
    SendMessageW(EditHandle(), EM_SETSEL, static_cast<WPARAM>(start),
                 static_cast<LPARAM>(start + (length > 0 ? length : 0)));
  }
}

void TQelComboBox::SelectAllText() {
  SetSelection(0, static_cast<int>(Text().size()));
}

void TQelComboBox::CutSelection() {
  CopySelection();
  DeleteSelection();
}

// --- the edit part as the edit model's control ----------------------------------------

bool TQelComboBox::EditPart::HasFocus() const {
  return box_.EditHandle() != nullptr && GetFocus() == box_.EditHandle();
}

bool TQelComboBox::EditPart::ClipboardHasText() const {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

void TQelComboBox::EditPart::Cut() {
  box_.combo_.KeyPressed(true);
  box_.editHook_.CallNext(WM_CUT, 0, 0);
}

void TQelComboBox::EditPart::Copy() {
  box_.editHook_.CallNext(WM_COPY, 0, 0);
}

void TQelComboBox::EditPart::Paste() {
  box_.editHook_.CallNext(WM_PASTE, 0, 0);
}

void TQelComboBox::EditPart::ClearSelection() {
  box_.combo_.KeyPressed(true);
  box_.editHook_.CallNext(WM_CLEAR, 0, 0);
}

void TQelComboBox::EditPart::EmptyText() {
  box_.SetSelection(0, static_cast<int>(box_.Text().size()));
  ClearSelection();
}

bool TQelComboBox::EditPart::PasteAllowed() {
  bool accept = true;
  if (box_.onPaste_) {
    box_.onPaste_(accept);
  }
  return accept;
}

editing::ModeMaster* TQelComboBox::EditPart::WindowMaster() const {
  return box_.Master();
}

// --- messages ------------------------------------------------------------------------------

void TQelComboBox::PressDefaultButton() {
  const HWND dialog = GetParent(Handle());
  const LRESULT defId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(defId) == DC_HASDEFID) {
    const HWND button = GetDlgItem(dialog, LOWORD(defId));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(defId), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }
}

bool TQelComboBox::HandleComboMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                      LRESULT& result) {
  if (message == WM_PASTE) {
    // The menu's Paste, sent to the combo box.
    edit_.PasteSelection();
    result = 0;
    return true;
  }
  if (message == kValidateOnExit) {
    combo_.FocusLeft();
    result = 0;
    return true;
  }
  if (message == WM_NCDESTROY) {
    LeaveMaster();
    parentHook_.Detach();
    editHook_.Detach();
  }
  return false;
}

bool TQelComboBox::HandleEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_GETDLGCODE: {
      result = editHook_.CallNext(message, wParam, lParam);
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg != nullptr && msg->message == WM_KEYDOWN && Modified() &&
          (msg->wParam == VK_RETURN || (msg->wParam == VK_ESCAPE && edit_.UndoWhenEsc()))) {
        // Enter checks a changed text first; an Escape that undoes is the
        // box's, not the dialog's Cancel.
        result |= DLGC_WANTMESSAGE;
      }
      return true;
    }
    case WM_KEYDOWN: {
      const editing::KeyStroke stroke = StrokeOf(wParam);
      if (edit_.SwallowKey(stroke)) {
        result = 0;
        return true;
      }
      combo_.KeyPressed(IsDeletingKey(wParam));
      if (edit_.KeyDown(stroke)) {
        result = 0;
        return true;
      }
      if (wParam == VK_RETURN && stroke.shift == editing::ShiftState::None &&
          SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) == 0) {
        // Enter checks the text against the list without leaving the box,
        // then goes on to the window's default button with the text it
        // took. A refused text is restored and the key ends here.
        if (!(combo_.CommitText() && combo_.Refused())) {
          PressDefaultButton();
        }
        result = 0;
        return true;
      }
      return false;
    }
    case WM_CHAR:
      // A read-only box takes no characters, and Enter's never reaches the
      // edit part.
      if (readOnly_ || wParam == L'\r') {
        result = 0;
        return true;
      }
      return false;
    case WM_KEYUP:
      result = edit_.KeyUp(StrokeOf(wParam)) ? 0 : editHook_.CallNext(message, wParam, lParam);
      return true;
    case WM_LBUTTONUP:
      // The click places the caret first; then the next character is
      // selected.
      result = editHook_.CallNext(message, wParam, lParam);
      edit_.MouseUp();
      return true;
    case WM_KILLFOCUS: {
      edit_.FocusLost();
      const auto next = reinterpret_cast<HWND>(wParam);
      // Leaving for another control of the window checks the text; the
      // box's own list, a menu or another window does not.
      if (next != nullptr && next != Handle() && next != list_ &&
          GetAncestor(next, GA_ROOT) == GetAncestor(Handle(), GA_ROOT)) {
        PostMessageW(Handle(), kValidateOnExit, 0, 0);
      }
      return false;
    }
    case WM_CUT:
    case WM_CLEAR:
      combo_.KeyPressed(true);
      return false;
    case WM_PASTE:
      edit_.PasteSelection();
      result = 0;
      return true;
    case WM_UNDO:
    case EM_UNDO:
      edit_.Undo();
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
    default:
      return false;
  }
}

bool TQelComboBox::HandleParentMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& /*result*/) {
  if (message != WM_COMMAND || Handle() == nullptr || reinterpret_cast<HWND>(lParam) != Handle()) {
    return false;
  }
  switch (HIWORD(wParam)) {
    case CBN_EDITCHANGE:
      // The user changed the text (the control has already dropped the
      // list's selection).
      combo_.TextEdited();
      break;
    case CBN_SELCHANGE:
      // The control shows the picked item only after this notification.
      combo_.UserSelected(ItemIndex());
      break;
    default:
      break;
  }
  return false;  // the window sees its notifications too
}

}  // namespace pixdeck::wininputs
