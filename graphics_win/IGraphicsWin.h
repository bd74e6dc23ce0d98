// IGraphicsWin: the editor as a Win32 child window (class "EffectEditorWndClass") inside the
// window the host passes to effEditOpen. A timer (id 2, 1000 / frame rate ms) collects the dirty
// controls and repaints them; painting copies the canvas's DIB section to the window. It also
// holds the in-place text entry, pop-up menus, file and colour dialogs and web addresses.
//
// Threads: every message, and so all input, drawing and dialogs, runs on the thread that opened
// the window (the host's editor thread; each editor may have its own). The audio thread only
// marks controls dirty.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>

#include "graphics/IGraphics.h"

class IGraphicsWin : public IGraphics {
 public:
  enum EntryState : int32_t {
    EntryIdle = 0,
    EntryEditing = 1,
    EntryRedrawn = 2,
    EntryCancel = 3,
    EntryCommit = 4
  };
  static constexpr UINT_PTR kTimerId = 2;
  static constexpr int kEntryId = 99;
  static constexpr const char* kClassName = "EffectEditorWndClass";

  using IGraphics::IGraphics;
  ~IGraphicsWin() override;

  // Module whose class, windows and image resources the editor uses (the DLL's own handle).
  void SetModuleHandle(HINSTANCE module) { moduleHandle_ = module; }
  HINSTANCE ModuleHandle() const { return moduleHandle_; }

  bool PresentArea(const IBounds& area) override;
  void CancelTextEntry() override { entryState_ = EntryCancel; }
  // Also grows the window and, unless the host resizes them itself, its parent and grandparent.
  // Nothing calls it (see IGraphics): it would delete the controls the plug-in points to.
  void SetEditorSize(int width, int height) override;
  bool IsWindowOpen() override { return window_ != nullptr; }
  int ShowMessage(const char* text, const char* caption, int type) override;
  IMenu* ShowMenu(IMenu* menu, const IBounds& area) override;
  void ShowTextEntry(IControl* control, const ITextStyle& style, const IBounds& area,
                     const char* text, PlugParam* param) override;
  void HostFolder(TextBuffer* folder) override;
  void ModuleFolder(TextBuffer* folder) override;
  void DesktopFolder(TextBuffer* folder) override;
  void ChooseFile(TextBuffer* file, int action, TextBuffer* folder,
                  const char* extensions) override;
  bool PickColour(IArgb* colour, const char* prompt) override;
  bool OpenWebAddress(const char* address, const char* title, const char* confirmText,
                      const char* failureText) override;
  // parent is the host's HWND. Null when the window cannot be made.
  void* OpenEditorWindow(void* parent) override;
  void CloseEditorWindow() override;
  void* WindowHandle() override { return window_; }
  void HideCursorForDrag() override;
  void RestoreCursor() override;
  RasterBitmap* LoadImageResource(int id, const char* name) override;

  // The host's top-level window (cached), or null.
  HWND FindMainWindow();
  HWND EntryWindow() const { return entryWindow_; }
  int32_t EntryStateNow() const { return entryState_; }
  // Editor windows of this module that exist now.
  static int32_t WindowClassUsers() {
    std::lock_guard<std::mutex> lock(windowClassMutex_);
    return windowClassUsers_;
  }

 private:
  static LRESULT CALLBACK EditorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditWindowProc(HWND entry, UINT message, WPARAM wParam, LPARAM lParam);
  static BOOL CALLBACK FindMainWindowProc(HWND window, LPARAM self);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleEntryMessage(HWND entry, UINT message, WPARAM wParam, LPARAM lParam);
  void TimerStep();
  // Applies (EntryCommit) or drops the entry, then removes it.
  void CloseTextEntry();
  void ApplyEntryText();
  void DestroyTextEntry();
  LRESULT EntryColours(HDC context);
  // The host destroyed the window (with its own): forget it as CloseEditorWindow would.
  void WindowDestroyed();
  void UseWindowClass();
  void ReleaseWindowClass();

  // Module-wide: the class lives while any editor window of the module exists. Editors may open
  // and close their windows on different threads, so the count and the class change together
  // under windowClassMutex_.
  static inline std::mutex windowClassMutex_;
  static inline int32_t windowClassUsers_ = 0;

  HINSTANCE moduleHandle_ = nullptr;
  HWND window_ = nullptr;
  HWND entryWindow_ = nullptr;
  IControl* entryControl_ = nullptr;
  PlugParam* entryParam_ = nullptr;
  WNDPROC entryPrevProc_ = nullptr;
  int32_t entryState_ = EntryIdle;
  HFONT entryFont_ = nullptr;  // made per entry, released with it
  ITextStyle entryStyle_;      // the entry's colours
  COLORREF* customColours_ = nullptr;
  uint32_t processId_ = 0;
  HWND parentWindow_ = nullptr;
  HWND mainWindow_ = nullptr;
  TextBuffer mainWindowClass_;
};
