// IGraphics: the platform-neutral editor. Owns the ordered control list (index 0 the background,
// later controls on top) and the canvas they draw into; runs the redraw pass over dirty areas,
// routes pointer and key input to controls, and carries values between controls and the plug-in.
// Everything that needs a real window is a pure virtual supplied by the platform's subclass.
//
// Threads: everything runs on the editor thread, except SetControlsFromPlugin and
// SetParamFromPlugin, which host threads call under the plug-in lock (the controls store atomics).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "graphics/IArgb.h"
#include "graphics/IBlend.h"
#include "graphics/IBounds.h"
#include "graphics/IControl.h"
#include "graphics/IImage.h"
#include "graphics/IMenu.h"
#include "graphics/IMouseKeys.h"
#include "graphics/ITextStyle.h"
#include "plugin_core/EffectEditor.h"
#include "support/PointerList.h"
#include "support/TextBuffer.h"

// <windows.h> maps LoadImage onto LoadImageA/W, which would rename the operation below in the
// files that include it; the editor's files include <windows.h> before this header.
#undef LoadImage

class EffectBase;
class MemBitmap;
class PlugParam;
class RasterBitmap;
class SysBitmap;

class IGraphics : public EffectEditor {
 public:
  static constexpr int kDefaultFrameRate = 24;

  IGraphics(EffectBase* effect, int width, int height, int frameRate = kDefaultFrameRate);
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // Virtual operations in their fixed order; W marks those only a window can supply.
  virtual bool PresentArea(const IBounds& area) = 0;  // W
  virtual bool MeasureStyledText(ITextStyle* style, const char* text, IBounds* area);
  virtual void CancelTextEntry() = 0;  // W
  // Deletes every control and the canvas, then makes a new canvas. Nothing in this system calls
  // it: the plug-in keeps pointers and indices of controls it would delete.
  virtual void SetEditorSize(int width, int height);
  virtual bool IsWindowOpen() { return WindowHandle() != nullptr; }
  virtual const char* Identifier() { return ""; }
  virtual int ShowMessage(const char* text, const char* caption, int type) = 0;  // W
  // The menu (top menu or submenu) holding the chosen entry, with its index set, or null.
  virtual IMenu* ShowMenu(IMenu* menu, const IBounds& area) = 0;  // W
  virtual void ShowTextEntry(IControl* control, const ITextStyle& style, const IBounds& area,
                             const char* text, PlugParam* param) = 0;  // W
  virtual void HostFolder(TextBuffer* folder) = 0;                     // W
  virtual void ModuleFolder(TextBuffer* folder) = 0;                   // W
  virtual void DesktopFolder(TextBuffer* folder) = 0;                  // W
  virtual void ChooseFile(TextBuffer* file, int action, TextBuffer* folder,
                          const char* extensions) = 0;             // W
  virtual bool PickColour(IArgb* colour, const char* prompt) = 0;  // W
  virtual bool OpenWebAddress(const char* address, const char* title, const char* confirmText,
                              const char* failureText) = 0;  // W
  virtual int Query() { return 0; }
  virtual void* OpenEditorWindow(void* parent) = 0;  // W
  virtual void Hook17() {}
  virtual void Hook18() {}
  virtual void CloseEditorWindow() = 0;  // W
  virtual void* WindowHandle() = 0;      // W
  ~IGraphics() override;
  virtual void HideCursorForDrag() = 0;  // W
  virtual void RestoreCursor() = 0;      // W
  // A bitmap for the image resource id (name only selects the decoder), or null.
  virtual RasterBitmap* LoadImageResource(int id, const char* name) = 0;  // W

  // What the plug-in core calls (EffectEditor).
  void SetControlsFromPlugin(int paramIndex, double normalized) override;
  void SetParamFromPlugin(int paramIndex, double value, bool normalized) override;
  void PrepareDrawing() override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool OpenWindow(void* parent) override { return OpenEditorWindow(parent) != nullptr; }
  // A press the closed window will never release ends its gesture here.
  void CloseWindow() override {
    CloseEditorWindow();
    EndGesture();
  }

  // Controls. The list owns them; AddControl answers the new index (-1 when the list cannot grow,
  // the control is then deleted).
  int AddControl(IControl* control);
  // The background image as control 0, under every other control.
  IControl* AddBackground(int id, const char* name);
  int NControls() const { return controls_.Count(); }
  IControl* GetControl(int index) const { return controls_.Get(index); }
  void MarkAllControlsDirty();
  // Owned; receives keys that no other control takes.
  void SetKeyFallbackControl(IControl* control);

  // The image with this resource id from the module-wide cache; a missing image is an empty one.
  IImage LoadImage(int id, const char* name, int frames);

  // Drawing into the canvas, clipped to the running pass's drawArea. Both answer true.
  bool BlitImage(const IImage& image, const IBounds& dest, int srcX, int srcY, const IBlend* blend);
  bool BlitImageFrame(const IImage& image, const IBounds& dest, int frame, const IBlend* blend);
  // Draws (or with measure, measures into area) a text in a style; false when no font.
  bool DrawStyledText(ITextStyle* style, const char* text, IBounds* area, bool measure);
  // Draws a text in a style at area and answers where it landed (with a pixel of margin for the
  // glyphs' edges), or an empty area when nothing was drawn.
  IBounds DrawPlacedText(ITextStyle* style, const char* text, const IBounds& area);

  // Redraw pass: the union of the dirty controls' areas into area; true when any was dirty.
  bool CollectDirtyArea(IBounds* area);
  bool RedrawArea(const IBounds& update);
  bool WholeAreaRedraw() const { return wholeAreaRedraw_; }
  void SetWholeAreaRedraw(bool whole) { wholeAreaRedraw_ = whole; }
  const IBounds& DrawArea() const { return drawArea_; }

  // A menu of the value texts, or a text entry of the current value.
  void PromptForValue(IControl* control, PlugParam* param, IBounds* area);

  // Input from the window, in editor pixels.
  void MouseDown(int x, int y, const IMouseKeys& keys);
  void MouseUp(int x, int y, const IMouseKeys& keys);
  // True when the target took the double-click as a press (the window captures the mouse).
  bool MouseDoubleClick(int x, int y, const IMouseKeys& keys);
  void MouseDrag(int x, int y, const IMouseKeys& keys);
  bool MouseOver(int x, int y, const IMouseKeys& keys);
  void MouseWheel(int x, int y, const IMouseKeys& keys, int steps);
  void MouseLeave();
  bool KeyDown(int x, int y, int key);
  bool TrackMouseOver() const { return trackMouseOver_; }
  void SetTrackMouseOver(bool track) { trackMouseOver_ = track; }
  int CaptureIndex() const { return captureIndex_; }
  int HoverIndex() const { return hoverIndex_; }

  // Edit gestures towards the host (hosts record touch automation between begin and end, so each
  // begin gets exactly one end). At most one is open: BeginGesture ends another parameter's
  // first, and answers true when it opened one (false when that parameter's was already open).
  bool BeginGesture(int paramIndex);
  void EndGesture();

  EffectBase* Effect() const { return effect_; }
  SysBitmap* Canvas() const { return canvas_.get(); }
  int FrameRate() const { return frameRate_; }
  bool CursorHidden() const { return cursorHidden_; }

 protected:
  void SetCursorHidden(bool hidden, int x = -1, int y = -1) {
    cursorHidden_ = hidden;
    hiddenX_ = x;
    hiddenY_ = y;
  }
  // No control holds the mouse (capture index and last position -1).
  void DropCapture();
  // Inside ShowMenu for a value prompt: what to do with the menu's answer (empty otherwise). A
  // window whose menu must not hold the caller takes it, answers null at once, and calls it with
  // the chosen menu (or null) when the menu closes; the call keeps the menu alive until then.
  std::function<void(IMenu* chosen)> TakeMenuAnswer() { return std::exchange(menuAnswer_, {}); }
  int HiddenX() const { return hiddenX_; }
  int HiddenY() const { return hiddenY_; }

 private:
  // Last control first; hidden ones never, greyed ones only for mouse-over when they allow it.
  int HitTarget(int x, int y, bool mouseOver) const;
  void DrawControl(int index);
  void RedrawWhole(const IBounds& update);
  void RedrawDirty();
  bool AlreadyRedrawn(const IBounds& area) const;
  // area grown until it holds every text it touches whole.
  IBounds WithTouchedTexts(IBounds area) const;

  PointerList<IControl> controls_;
  EffectBase* effect_;
  IBounds drawArea_;
  bool cursorHidden_ = false;
  int32_t hiddenX_ = -1;
  int32_t hiddenY_ = -1;
  std::unique_ptr<SysBitmap> canvas_;
  std::unique_ptr<MemBitmap> scratch_;
  int32_t width_;
  int32_t height_;
  int32_t frameRate_;
  int32_t captureIndex_ = -1;
  int32_t gestureParam_ = -1;  // the parameter whose edit gesture is open
  int32_t hoverIndex_ = -1;
  int32_t mouseX_ = 0;
  int32_t mouseY_ = 0;
  bool trackMouseOver_ = false;
  bool wholeAreaRedraw_ = true;
  bool imagesDecoded_ = false;
  std::unique_ptr<IControl> keyFallbackControl_;
  std::vector<IBounds> passAreas_;  // areas the running dirty pass has redrawn
  std::function<void(IMenu* chosen)> menuAnswer_;
};
