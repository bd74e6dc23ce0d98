// IGraphicsHeadless: an editor with no window. It draws into its canvas like any editor, so tests
// and tools can drive it and read the pixels; every window operation answers as a window that is
// not there would: presenting shows nothing (true), menus and dialogs are dismissed, there is no
// text entry, folders are empty, and images come from the module's resources.
#pragma once

#include "graphics/IGraphics.h"

class IGraphicsHeadless : public IGraphics {
 public:
  using IGraphics::IGraphics;

  bool CanOpenWindow() const override { return false; }

  bool PresentArea(const IBounds&) override { return true; }
  void CancelTextEntry() override {}
  int ShowMessage(const char*, const char*, int) override { return 0; }
  IMenu* ShowMenu(IMenu*, const IBounds&) override { return nullptr; }
  void ShowTextEntry(IControl*, const ITextStyle&, const IBounds&, const char*,
                     PlugParam*) override {}
  void HostFolder(TextBuffer* folder) override;
  void ModuleFolder(TextBuffer* folder) override;
  void DesktopFolder(TextBuffer* folder) override;
  void ChooseFile(TextBuffer* file, int, TextBuffer*, const char*) override;
  bool PickColour(IArgb*, const char*) override { return false; }
  bool OpenWebAddress(const char*, const char*, const char*, const char*) override { return false; }
  void* OpenEditorWindow(void*) override { return nullptr; }
  void CloseEditorWindow() override {}
  void* WindowHandle() override { return nullptr; }
  void HideCursorForDrag() override {}
  void RestoreCursor() override {}
  RasterBitmap* LoadImageResource(int id, const char* name) override;

  // A whole-canvas pass: every control drawn, then none dirty.
  void RedrawAll() { RedrawArea({0, 0, Width(), Height()}); }
  // The canvas as a PNG file (fileName UTF-8); false without a canvas or when writing fails.
  bool SaveCanvasPng(const char* fileName) const;
};
