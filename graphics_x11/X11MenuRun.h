// X11MenuRun: one pop-up menu while it is up: its open levels, the highlight and pointer logic,
// and its answer. IGraphicsX11 feeds it the connection's events, from a loop of its own (a modal
// menu) or from the host's later idle calls (a menu that leaves the host's thread free).
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "graphics/IMenu.h"
#include "graphics_x11/X11MenuLevel.h"

struct _XDisplay;

struct X11MenuRun {
  std::vector<std::unique_ptr<X11MenuLevel>> levels;
  IMenu* chosen = nullptr;
  int chosenIndex = -1;
  bool done = false;
  bool armed = false;  // a release chooses only once the pointer has been over a row or pressed
  // Dismissed by a press whose release is still to come: the release belongs to the menu too,
  // and is waited for until releaseDeadline.
  bool awaitingRelease = false;
  std::chrono::steady_clock::time_point releaseDeadline{};
  // Called with the chosen menu (or null) when a menu that did not hold the caller closes.
  std::function<void(IMenu*)> answer;

  // Chosen or dismissed, and the dismissing press's release (if any) seen or given up.
  bool Over() const {
    return done && !(awaitingRelease && std::chrono::steady_clock::now() < releaseDeadline);
  }
  // The deepest level containing the root position, or -1.
  int LevelAt(int x, int y) const;
  void Choose(int level, int row);
  // Shows the submenu of level's row as the next level; deeper levels close.
  void OpenSubmenu(_XDisplay* display, int level, int row);
  void Pointer(_XDisplay* display, int x, int y, bool moved);
  void Key(_XDisplay* display, unsigned long keysym);
};
