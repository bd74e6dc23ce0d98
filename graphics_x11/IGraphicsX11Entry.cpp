// IGraphicsX11: the in-place text entry: opening it, its focus and keys, the editor's input while
// it is open, and the closing step the timer runs. States and results follow the Windows window.
#include "graphics_x11/IGraphicsX11.h"
// Before Xlib, whose macros (None, Bool) would rename names in these:
#include "graphics/EntryText.h"

#include <X11/Xlib.h>

#include <cstring>

namespace {

// What the closing step reads of the entry, terminating zero included (as WM_GETTEXT into 32).
constexpr size_t kCommittedTextSize = 32;

}  // namespace

void IGraphicsX11::ShowTextEntry(IControl* control, const ITextStyle& style, const IBounds& area,
                                 const char* text, PlugParam* param) {
  if (!control || entry_ || !display_ || !window_) return;
  auto entry = std::make_unique<X11TextEntry>(display_, window_, area, style, text,
                                              control->TextEntryLimit());
  if (entry->Failed()) return;
  XMapRaised(display_, entry->Window());
  // The keyboard is ours only while the entry is open; closing it gives the focus back.
  Window focus;
  XGetInputFocus(display_, &focus, &focusRevertBeforeEntry_);
  focusBeforeEntry_ = focus;
  XSetInputFocus(display_, entry->Window(), RevertToParent, CurrentTime);
  entry_ = std::move(entry);
  entryControl_ = control;
  entryParam_ = param;
  entryFocusSeen_ = false;
  entryState_ = EntryIdle;
}

void IGraphicsX11::CancelTextEntry() {
  if (entry_) entryState_ = EntryCancel;
}

unsigned long IGraphicsX11::EntryXWindow() const {
  return entry_ ? entry_->Window() : 0;
}

std::string IGraphicsX11::EntryText() const {
  return entry_ ? entry_->Text() : std::string();
}

bool IGraphicsX11::HandleEntryEvent(XEvent* event) {
  if (event->xany.window != entry_->Window()) return false;
  switch (event->type) {
    case Expose:
      if (event->xexpose.count == 0) entry_->Present();
      break;
    case KeyPress: {
      const auto outcome = entry_->HandleKey(event, entryParam_);
      if (outcome == X11TextEntry::Outcome::Commit) entryState_ = EntryCommit;
      if (outcome == X11TextEntry::Outcome::Cancel) entryState_ = EntryCancel;
      break;
    }
    case ButtonPress:
      if (event->xbutton.button == Button1 || event->xbutton.button == Button3) {
        entry_->PlaceCaret(event->xbutton.x);
        XSetInputFocus(display_, entry_->Window(), RevertToParent, event->xbutton.time);
      }
      break;
    case FocusIn:
      // Focus moving inside the window or following the pointer is not the entry's.
      if (event->xfocus.detail == NotifyInferior || event->xfocus.detail == NotifyPointer) break;
      if (entryFocusSeen_) entryState_ = EntryEditing;
      entryFocusSeen_ = true;
      break;
    case FocusOut:
      // A grab (a menu) takes the keyboard for a while without taking the focus away.
      if (event->xfocus.mode == NotifyGrab || event->xfocus.mode == NotifyUngrab) break;
      if (event->xfocus.detail == NotifyInferior || event->xfocus.detail == NotifyPointer) break;
      entryState_ = EntryCancel;
      break;
    default:
      break;
  }
  return true;
}

bool IGraphicsX11::EntryTakesInput(XEvent* event) {
  const bool press = event->type == ButtonPress;
  const unsigned int button = press ? event->xbutton.button : 0;
  if (entryState_ == EntryEditing) {
    // Only presses reach the editor while editing: they cancel (on the next tick).
    if (event->type == Expose || event->type == DestroyNotify) return false;
    if (button == Button1 || button == Button3) entryState_ = EntryCancel;
    return event->type == ButtonPress || event->type == ButtonRelease ||
           event->type == MotionNotify || event->type == KeyPress;
  }
  if (button == Button4 || button == Button5) {
    entryState_ = EntryCancel;  // the wheel scrolls nothing while an entry is open
    return true;
  }
  if (button == Button1 || button == Button2 || button == Button3) {
    // Not being edited: dropped at once without applying; the press goes on to the editor.
    DestroyTextEntry();
    PresentArea({0, 0, Width(), Height()});
    return false;
  }
  if (event->type == MotionNotify && (event->xmotion.state & (Button1Mask | Button3Mask)))
    return true;  // no dragging under an open entry
  return false;
}

bool IGraphicsX11::EntryTimerStep() {
  if (!entry_) return false;
  switch (entryState_) {
    case EntryIdle:
      return false;
    case EntryRedrawn:
      entryState_ = EntryIdle;
      return true;
    case EntryCommit: {
      char text[kCommittedTextSize] = {};
      std::strncpy(text, entry_->Text().c_str(), sizeof text - 1);
      IControl* control = entryControl_;
      PlugParam* param = entryParam_;
      DestroyTextEntry();
      CommitEnteredText(control, param, text);
      return true;
    }
    case EntryCancel:
      DestroyTextEntry();
      return true;
    default:  // EntryEditing: the timer waits for the entry
      return true;
  }
}

void IGraphicsX11::DestroyTextEntry() {
  if (entry_ && window_) {
    // Unless the user has put the focus elsewhere meanwhile, it goes back where it was.
    Window focus;
    int revert;
    XGetInputFocus(display_, &focus, &revert);
    if (focus == entry_->Window() || focus == window_)
      XSetInputFocus(display_, focusBeforeEntry_, focusRevertBeforeEntry_, CurrentTime);
  }
  entry_.reset();
  entryControl_ = nullptr;
  entryParam_ = nullptr;
  entryFocusSeen_ = false;
  entryState_ = EntryIdle;
}
