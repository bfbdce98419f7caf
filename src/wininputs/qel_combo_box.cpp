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

}  // namespace

TQelComboBox::TQelComboBox()
    : edit_(*this, editing::EditPolicy::ComboEdit()),
      order_(UserLocaleOrder::Instance()),
      history_(*this, order_) {}

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
  if (!AllowNull() && Count() > 0 && CurrentIndex() == -1) {
    SelectItem(0);
  }
  if (SelLength() > 0 && !HasFocus()) {
    SetSelection(SelStart(), 0);
  }
  edit_.FinishLoading();
}

void TQelComboBox::Detach() {
  LeaveMaster();
  parentHook_.Detach();
  editHook_.Detach();
  comboHook_.Detach();
  list_ = nullptr;
}

// --- options ---------------------------------------------------------------------

void TQelComboBox::SetAddNewToList(bool value) {
  history_.Options().addNewToList = value;
  if (value) {
    history_.Options().limitToList = false;
  }
}

void TQelComboBox::SetLimitToList(bool value) {
  history_.Options().limitToList = value;
  if (value) {
    history_.Options().addNewToList = false;
  }
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

editing::Text TQelComboBox::ItemText(int index) const {
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
    items.push_back(ItemText(i));
  }
  return items;
}

void TQelComboBox::SetItems(const std::vector<std::u16string>& items) {
  if (Handle() == nullptr) {
    return;
  }
  const editing::Text shown = GetText();
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (const std::u16string& item : items) {
    const int place = history_.Options().sorted ? history_.SortedPlace(item) : Count();
    SendMessageW(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(place),
                 reinterpret_cast<LPARAM>(Wide(item)));
  }
  SetEditText(shown);
  SelectFirstItem();
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

int TQelComboBox::CurrentIndex() const {
  if (Handle() == nullptr) {
    return -1;
  }
  const LRESULT index = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void TQelComboBox::SetCurrentIndex(int index) {
  if (Handle() == nullptr) {
    return;
  }
  if (index < -1 || index >= Count()) {
    index = -1;
  }
  // The control shows the item's text (none for -1), as the rules expect.
  SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SetEditText(index >= 0 ? ItemText(index) : editing::Text());
}

void TQelComboBox::MoveItem(int fromIndex, int toIndex) {
  const int count = Count();
  if (fromIndex == toIndex || fromIndex < 0 || fromIndex >= count) {
    return;
  }
  // The item's data travels with its text; the text shown stays.
  const editing::Text shown = GetText();
  const bool wasSelected = CurrentIndex() == fromIndex;
  const editing::Text text = ItemText(fromIndex);
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

// --- the text ------------------------------------------------------------------------

editing::Text TQelComboBox::GetText() const {
  return WindowText(EditHandle());
}

void TQelComboBox::SetEditText(const std::u16string& text) {
  if (EditHandle() == nullptr || GetText() == text) {
    return;
  }
  // A write of the program's: the list keeps its selection.
  const int index = CurrentIndex();
  SetWindowTextW(EditHandle(), Wide(text));
  if (CurrentIndex() != index && list_ != nullptr) {
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void TQelComboBox::SetText(const editing::Text& text) {
  SetEditText(text);
}

void TQelComboBox::RestoreText(const editing::Text& text) {
  ApplyText(text);
}

std::string TQelComboBox::TextUtf8() const {
  return ToUtf8(GetText());
}

void TQelComboBox::SetInitialTextUtf8(std::string_view text) {
  SetInitialText(FromUtf8(text));
}

int TQelComboBox::SelStart() const {
  DWORD start = 0;
  DWORD end = 0;
  if (EditHandle() != nullptr) {
    SendMessageW(EditHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  }
  return static_cast<int>(start);
}

int TQelComboBox::SelLength() const {
  DWORD start = 0;
  DWORD end = 0;
  if (EditHandle() != nullptr) {
    SendMessageW(EditHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  }
  return end > start ? static_cast<int>(end - start) : 0;
}

void TQelComboBox::SetSelection(int start, int length) {
  if (EditHandle() != nullptr) {
    SendMessageW(EditHandle(), EM_SETSEL, static_cast<WPARAM>(start),
                 static_cast<LPARAM>(start + (length > 0 ? length : 0)));
  }
}

void TQelComboBox::SelectAllText() {
  SetSelection(0, static_cast<int>(GetText().size()));
}

bool TQelComboBox::HasFocus() const {
  return EditHandle() != nullptr && GetFocus() == EditHandle();
}

bool TQelComboBox::ClipboardHasText() const {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

void TQelComboBox::Cut() {
  noAutoExpand_ = true;
  editHook_.CallNext(WM_CUT, 0, 0);
}

void TQelComboBox::Copy() {
  editHook_.CallNext(WM_COPY, 0, 0);
}

void TQelComboBox::Paste() {
  editHook_.CallNext(WM_PASTE, 0, 0);
}

void TQelComboBox::ClearSelection() {
  noAutoExpand_ = true;
  editHook_.CallNext(WM_CLEAR, 0, 0);
}

void TQelComboBox::EmptyText() {
  ClearAll();
}

bool TQelComboBox::PasteAllowed() {
  bool accept = true;
  if (onPaste_) {
    onPaste_(accept);
  }
  return accept;
}

editing::ModeMaster* TQelComboBox::WindowMaster() const {
  return Master();
}

void TQelComboBox::Edited() {}

void TQelComboBox::Changed() {
  Change();
}

// --- clipboard and deletion -------------------------------------------------------------

void TQelComboBox::CutSelection() {
  CopySelection();
  DeleteSelection();
}

void TQelComboBox::DeleteSelection() {
  if (!CanClear()) {
    return;
  }
  const int start = SelStart();
  editing::Text text = GetText();
  text.erase(static_cast<size_t>(start), static_cast<size_t>(SelLength()));
  noAutoExpand_ = true;
  SetEditText(text);
  SetSelection(start, 0);
  modified_ = true;
  Change();
}

void TQelComboBox::ClearAll() {
  if (!CanClear()) {
    return;
  }
  noAutoExpand_ = true;
  SetEditText(editing::Text());
  modified_ = true;
  Change();
}

void TQelComboBox::PasteSelection() {
  edit_.PasteSelection();
}

// --- the history rules, carried out ------------------------------------------------------

void TQelComboBox::DoListPick() {
  if (!pickGuard_) {
    // The move to the start reports no pick of its own.
    pickGuard_ = true;
    history_.MovePickToStart();
    pickGuard_ = false;
  }
  if (!pickGuard_ && onListPick_) {
    onListPick_();
  }
}

void TQelComboBox::AddItem(const std::u16string& text) {
  const int place = history_.NewItemPlace(text);
  SendMessageW(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(place),
               reinterpret_cast<LPARAM>(Wide(text)));
  SetCurrentIndex(place);
}

void TQelComboBox::AddNewItem(const std::u16string& text) {
  std::u16string newText = text;
  bool accept = true;
  if (onNotInList_) {
    onNotInList_(newText, accept);
  } else {
    accept = false;
  }
  if (accept) {
    AddItem(newText);
  }
}

void TQelComboBox::DoNotInList(std::u16string& newText, bool& accept) {
  if (onNotInList_) {
    onNotInList_(newText, accept);
  }
  if (accept) {
    AddItem(newText);
    DoListPick();
  }
}

void TQelComboBox::SelectItem(int index) {
  if (!forceSelect_ && index == CurrentIndex()) {
    return;
  }
  SetCurrentIndex(index);
  DoListPick();
  selecting_ = true;
  modified_ = true;
  Change();
  selecting_ = false;
  forceSelect_ = false;
}

void TQelComboBox::SetIndexKeepText(int index) {
  if (index == CurrentIndex()) {
    return;
  }
  const editing::Text text = GetText();
  const int start = SelStart();
  const int length = SelLength();
  const bool modified = modified_;
  SetCurrentIndex(index);
  DoListPick();
  selecting_ = true;
  SetEditText(text);
  modified_ = modified;
  SetSelection(start, length);
  selecting_ = false;
}

void TQelComboBox::SelectFirstItem() {
  if (!AllowNull() && !edit_.InternalChange() && CurrentIndex() == -1 && Count() > 0) {
    SelectItem(0);
  }
}

void TQelComboBox::Change() {
  if (!AllowNull() && Count() > 0 && GetText().empty()) {
    // An empty text never stands in a box that must have a value.
    if (CurrentIndex() == 0) {
      forceSelect_ = true;
    }
    SelectItem(0);
    return;
  }
  if (!edit_.InternalChange()) {
    modified_ = true;
    if (!selecting_) {
      if (GetText().empty()) {
        SetCurrentIndex(-1);
        DoListPick();
      } else if (autoExpand_) {
        if (noAutoExpand_) {
          noAutoExpand_ = false;
        } else {
          ExpandText();
        }
      }
      if (onEdited_) {
        onEdited_();
      }
    }
  }
  if (onChange_) {
    onChange_();
  }
}

void TQelComboBox::ExpandText() {
  int index = -1;
  int selStart = SelStart();
  int selLength = -1;
  editing::Text completed;
  editing::CompleteFromList(Items(), order_, history_.Options().sorted, GetText(), index, selStart,
                            selLength, completed);
  if (selLength >= 0) {
    if (selLength == 0) {
      selStart = SelStart();
    }
    if (autoPickItem_) {
      SelectItem(index);
    } else {
      SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    if (selLength > 0) {
      SetEditText(completed);
      modified_ = true;
    }
    SetSelection(selStart, selLength);
  } else if (autoPickItem_) {
    SetIndexKeepText(-1);
  }
}

void TQelComboBox::ApplyText(const std::u16string& text) {
  const editing::ComboApplyStep step = history_.PlanApply(text, GetText(), edit_.InternalChange());
  switch (step.action) {
    case editing::ComboApply::None:
      break;
    case editing::ComboApply::SelectItem:
      if (step.force) {
        forceSelect_ = true;
      }
      SelectItem(step.index);
      break;
    case editing::ComboApply::SetText:
    case editing::ComboApply::AddSilently:
    case editing::ComboApply::AskToAdd:
      SetEditText(text);
      if (step.action == editing::ComboApply::AddSilently) {
        AddItem(text);
      } else if (step.action == editing::ComboApply::AskToAdd) {
        AddNewItem(text);
      }
      modified_ = true;
      Change();
      break;
    case editing::ComboApply::ClearText:
      SetEditText(editing::Text());
      modified_ = true;
      Change();
      break;
    case editing::ComboApply::Unselect:
      SelectItem(-1);
      break;
  }
}

void TQelComboBox::SetInitialText(const std::u16string& text) {
  const bool internal = edit_.InternalChange();
  edit_.SetInternalChange(true);
  ApplyText(text);
  edit_.SetInternalChange(internal);
}

bool TQelComboBox::ValidateText(bool refocus) {
  int oldIndex = CurrentIndex();
  bool result = false;
  refused_ = false;
  switch (history_.Check(GetText())) {
    case editing::ComboCheck::Empty:
      break;
    case editing::ComboCheck::Accept:
      forceSelect_ = modified_;
      break;
    case editing::ComboCheck::AskEmpty: {
      if (refocus) {
        SetFocus(EditHandle());
      }
      std::u16string newText;
      bool accept = false;
      DoNotInList(newText, accept);
      if (accept && !newText.empty()) {
        SetEditText(newText);
        modified_ = true;
      }
      if (!accept) {
        Undo();
        refused_ = true;
      }
      result = true;
      break;
    }
    case editing::ComboCheck::AskLimit: {
      if (refocus) {
        SetFocus(EditHandle());
      }
      std::u16string newText = GetText();
      bool accept = false;
      DoNotInList(newText, accept);
      if (accept) {
        oldIndex = -2;
      } else {
        Undo();
        refused_ = true;
      }
      result = true;
      break;
    }
    case editing::ComboCheck::AskAdd: {
      oldIndex = -2;
      if (refocus) {
        SetFocus(EditHandle());
      }
      std::u16string newText = GetText();
      bool accept = true;
      DoNotInList(newText, accept);
      if (accept) {
        forceSelect_ = true;
      } else {
        Undo();
        refused_ = true;
      }
      result = true;
      break;
    }
  }
  const int found = IndexOfText(GetText());
  if (found != oldIndex) {
    SelectItem(found);
  }
  return result;
}

bool TQelComboBox::CommitText() {
  return editing::ComboHistory::CommitNeedsCheck(modified_) ? ValidateText(false) : false;
}

void TQelComboBox::UserSelected() {
  const int index = CurrentIndex();
  if (index < 0) {
    return;
  }
  // The control shows the picked item only after this notification.
  const editing::Text item = ItemText(index);
  if (GetText() != item) {
    SetEditText(item);
    modified_ = true;
    DoListPick();
    selecting_ = true;
    Change();
    selecting_ = false;
  } else {
    Change();
  }
}

// --- messages ------------------------------------------------------------------------------

bool TQelComboBox::HandleComboMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                      LRESULT& result) {
  if (message == WM_PASTE) {
    // The menu's Paste, sent to the combo box.
    edit_.PasteSelection();
    result = 0;
    return true;
  }
  if (message == kValidateOnExit) {
    if (modified_) {
      ValidateText(static_cast<bool>(onNotInList_));
    }
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
      if (msg != nullptr && msg->message == WM_KEYDOWN) {
        // Enter checks a changed text first; an Escape that undoes is the
        // box's, not the dialog's Cancel.
        if ((msg->wParam == VK_RETURN && modified_) ||
            (msg->wParam == VK_ESCAPE && edit_.UndoWhenEsc() && modified_)) {
          result |= DLGC_WANTMESSAGE;
        }
      }
      return true;
    }
    case WM_KEYDOWN: {
      const editing::KeyStroke stroke = StrokeOf(wParam);
      if (edit_.SwallowKey(stroke)) {
        result = 0;
        return true;
      }
      noAutoExpand_ = IsDeletingKey(wParam);
      if (edit_.KeyDown(stroke)) {
        result = 0;
        return true;
      }
      if (wParam == VK_RETURN && stroke.shift == editing::ShiftState::None &&
          !SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0)) {
        // Enter checks the text against the list without leaving the box,
        // then goes on to the window's default button with the text it
        // took. A refused text is restored and the key ends here.
        if (!(CommitText() && refused_)) {
          const HWND dialog = GetParent(Handle());
          const LRESULT defId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
          if (HIWORD(defId) == DC_HASDEFID) {
            const HWND button = GetDlgItem(dialog, LOWORD(defId));
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(defId), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
          }
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
      result = editHook_.CallNext(message, wParam, lParam);
      edit_.MouseUp();
      return true;
    case WM_KILLFOCUS: {
      edit_.FocusLost();
      const auto next = reinterpret_cast<HWND>(wParam);
      // Leaving for another control checks the text; the box's own list, a
      // menu or another window does not.
      if (modified_ && next != nullptr && next != Handle() && next != list_ &&
          GetAncestor(next, GA_ROOT) == GetAncestor(Handle(), GA_ROOT)) {
        PostMessageW(Handle(), kValidateOnExit, 0, 0);
      }
      return false;
    }
    case WM_CUT:
    case WM_CLEAR:
      noAutoExpand_ = true;
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
      Change();
      break;
    case CBN_SELCHANGE:
      UserSelected();
      break;
    default:
      break;
  }
  return false;  // the window sees its notifications too
}

}  // namespace pixdeck::wininputs
