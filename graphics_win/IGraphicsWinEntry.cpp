// IGraphicsWin: the in-place text entry (an EDIT child over a control), its character filter,
// its colours and the closing step the timer runs.
#include "graphics/EntryText.h"
#include "graphics_win/IGraphicsWin.h"
#include "plugin_core/PlugParam.h"

void IGraphicsWin::ShowTextEntry(IControl* control, const ITextStyle& style, const IBounds& area,
                                 const char* text, PlugParam* param) {
  if (!control || entryWindow_ || !window_) return;
  DWORD windowStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE;
  if (style.alignment == ITextStyle::Far)
    windowStyle |= ES_RIGHT;
  else if (style.alignment != ITextStyle::Near)
    windowStyle |= ES_CENTER;
  entryWindow_ = CreateWindowExA(0, "EDIT", text, windowStyle, area.left, area.top,
                                 area.right - area.left + 1, area.bottom - area.top + 1, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEntryId)),
                                 moduleHandle_, nullptr);
  if (!entryWindow_) return;
  entryStyle_ = style;
  entryFont_ = CreateFontA(style.size, 0, 0, 0, style.style == ITextStyle::Bold ? FW_BOLD : 0,
                           style.style == ITextStyle::Italic, 0, 0, 0, 0, 0, 0, 0, style.face);
  SendMessageA(entryWindow_, WM_SETFONT, reinterpret_cast<WPARAM>(entryFont_), 0);
  SendMessageA(entryWindow_, EM_SETSEL, 0, -1);
  SendMessageA(entryWindow_, EM_LIMITTEXT, static_cast<WPARAM>(control->TextEntryLimit()), 0);
  // Focus first: the entry's own procedure sees this focus, so the state stays EntryIdle until
  // the entry is focused again.
  SetFocus(entryWindow_);
  entryPrevProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(entryWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditWindowProc)));
  SetWindowLongPtrA(entryWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  entryParam_ = param;
  entryControl_ = control;
}

LRESULT CALLBACK IGraphicsWin::EditWindowProc(HWND entry, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* editor = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(entry, GWLP_USERDATA));
  if (!editor || editor->entryWindow_ != entry)
    return DefWindowProcA(entry, message, wParam, lParam);
  return editor->HandleEntryMessage(entry, message, wParam, lParam);
}

LRESULT IGraphicsWin::HandleEntryMessage(HWND entry, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      entryState_ = EntryEditing;
      break;
    case WM_KILLFOCUS:
      entryState_ = EntryCancel;
      break;
    case WM_GETDLGCODE: {
      LRESULT answer = CallWindowProcA(entryPrevProc_, entry, message, wParam, lParam);
      const auto* pending = reinterpret_cast<const MSG*>(lParam);
      if (!entryParam_ && pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN)
        answer |= DLGC_WANTMESSAGE;
      return answer;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        entryState_ = EntryCommit;
        return 0;
      }
      break;
    case WM_CHAR:
      if (entryParam_ && !EntryCharacterPasses(entryParam_->Kind(), LOBYTE(wParam))) return 0;
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == 1) {
        entryState_ = EntryCommit;
        return 0;
      }
      break;
    default:
      break;
  }
  return CallWindowProcA(entryPrevProc_, entry, message, wParam, lParam);
}

LRESULT IGraphicsWin::EntryColours(HDC context) {
  if (!entryControl_) return 0;
  const IArgb& back = entryStyle_.entryBackground;
  const IArgb& text = entryStyle_.entryText;
  SetBkColor(context, RGB(back.red, back.green, back.blue));
  SetTextColor(context, RGB(text.red, text.green, text.blue));
  SetBkMode(context, OPAQUE);
  // The brush paints the entry beyond its text: the same colour as behind the text.
  SetDCBrushColor(context, RGB(back.red, back.green, back.blue));
  return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

void IGraphicsWin::CloseTextEntry() {
  if (entryState_ == EntryCommit) ApplyEntryText();
  DestroyTextEntry();
}

void IGraphicsWin::ApplyEntryText() {
  char text[32] = {};
  SendMessageA(entryWindow_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  CommitEnteredText(entryControl_, entryParam_, text);
}

void IGraphicsWin::DestroyTextEntry() {
  if (entryWindow_) {
    if (entryPrevProc_)
      SetWindowLongPtrA(entryWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entryPrevProc_));
    SetWindowLongPtrA(entryWindow_, GWLP_USERDATA, 0);
    DestroyWindow(entryWindow_);
  }
  // The entry's font outlives nothing but the entry.
  if (entryFont_) DeleteObject(entryFont_);
  entryFont_ = nullptr;
  entryWindow_ = nullptr;
  entryParam_ = nullptr;
  entryControl_ = nullptr;
  entryPrevProc_ = nullptr;
  entryState_ = EntryIdle;
}
