// X11ErrorTrap: catches the X errors of one display while it is in scope, without touching the
// process-wide error handler (the host's stays as it is, and errors of other displays go to it).
// Editors on different threads (each with its own display) may hold traps at the same time.
#pragma once

struct _XDisplay;

class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(_XDisplay* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Waits for the server to answer everything sent so far; true when none of it failed since
  // the outermost trap of this display began.
  bool Ok();

 private:
  _XDisplay* display_;
};
