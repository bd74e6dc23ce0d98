// IURLControl: an invisible area that opens a web address when pressed.
#pragma once

#include "graphics/IControl.h"

class IURLControl : public IControl {
 public:
  static constexpr int kAddressSize = 256;
  static constexpr int kMessageSize = 1024;

  // The address is copied (cut to kAddressSize - 1 bytes).
  IURLControl(EffectBase* effect, const IBounds& area, const char* address);

  // Opens the address; when that fails, the backup address if there is one.
  void MouseDown(int x, int y, const IMouseKeys& keys) override;
  bool Draw(IGraphics*) override { return true; }

  const char* WebAddress() const { return webAddress_; }

 private:
  char webAddress_[kAddressSize] = {};
  char backupAddress_[kAddressSize] = {};
  char failureMessage_[kMessageSize] = {};
};
