// EntryEditBuffer: editing steps on the entry's text.
#include "graphics_x11/EntryEditBuffer.h"

#include <algorithm>

EntryEditBuffer::EntryEditBuffer(const char* text, int limit)
    : text_(text ? text : ""), limit_(limit), caret_(static_cast<int>(text_.size())) {}

bool EntryEditBuffer::Insert(char c) {
  const int length = static_cast<int>(text_.size()) - (SelectionEnd() - SelectionStart());
  if (length + 1 > limit_) return false;
  EraseSelection();
  text_.insert(text_.begin() + caret_, c);
  anchor_ = ++caret_;
  return true;
}

void EntryEditBuffer::Backspace() {
  if (!HasSelection() && caret_ > 0) anchor_ = caret_ - 1;
  EraseSelection();
}

void EntryEditBuffer::Delete() {
  if (!HasSelection() && caret_ < static_cast<int>(text_.size())) anchor_ = caret_ + 1;
  EraseSelection();
}

void EntryEditBuffer::MoveTo(int position, bool extend) {
  caret_ = std::clamp(position, 0, static_cast<int>(text_.size()));
  if (!extend) anchor_ = caret_;
}

void EntryEditBuffer::Step(int direction, bool extend) {
  if (HasSelection() && !extend) {
    MoveTo(direction < 0 ? SelectionStart() : SelectionEnd(), false);
    return;
  }
  MoveTo(caret_ + direction, extend);
}

void EntryEditBuffer::EraseSelection() {
  const int start = SelectionStart();
  text_.erase(start, SelectionEnd() - start);
  caret_ = anchor_ = start;
}
