// IMouseKeys: the mouse buttons and modifier keys held with a pointer event.
#pragma once

struct IMouseKeys {
  bool left = false;
  bool right = false;
  bool shift = false;
  bool control = false;
  bool alt = false;
};
