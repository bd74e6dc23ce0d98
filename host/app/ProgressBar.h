// A one-line progress bar on stderr, drawn only when stderr is a terminal.
#pragma once

namespace ferrix::host {

class ProgressBar {
 public:
  explicit ProgressBar(bool enabled);
  void Update(double fraction);  // redraws only when the shown percentage changes
  void Finish();                 // clears the line

 private:
  bool enabled_;
  int shown_ = -1;
};

}  // namespace ferrix::host
