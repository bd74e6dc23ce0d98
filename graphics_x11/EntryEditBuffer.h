// EntryEditBuffer: the text of an in-place entry being edited: caret, selection and the length
// limit, as a single-line edit control keeps them. Characters are single bytes.
#pragma once

#include <string>

class EntryEditBuffer {
 public:
  // The whole text starts selected. limit caps what typing can grow the text to; a longer
  // starting text is kept.
  EntryEditBuffer(const char* text, int limit);

  const std::string& Text() const { return text_; }
  int Caret() const { return caret_; }
  int SelectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
  int SelectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
  bool HasSelection() const { return caret_ != anchor_; }

  // Replaces the selection with c; false (nothing changes) when the limit refuses it.
  bool Insert(char c);
  void Backspace();
  void Delete();
  // Puts the caret at position (clamped); extend keeps the selection's other end.
  void MoveTo(int position, bool extend);
  // One character left (-1) or right (1); without extend a selection collapses to that edge.
  void Step(int direction, bool extend);

 private:
  void EraseSelection();

  std::string text_;
  int limit_;
  int caret_;
  int anchor_ = 0;
};
