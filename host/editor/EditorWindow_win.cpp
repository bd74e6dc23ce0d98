// EditorWindow on Win32. Hidden windows never receive WM_PAINT, and editors draw from their paint
// message, so an unseen window is a shown layered pop-up with alpha 0: painted like any other,
// invisible on the desktop and left out of the taskbar. Its pixels are read with PrintWindow
// from the plug-in's own window inside it (which paints its client area into our device
// context), or from ours when the plug-in made none.
#include <windows.h>

#include "host/editor/EditorWindow.h"

namespace ferrix::host {
namespace {

constexpr const char* kClassName = "FerrixHostEditorWindow";
constexpr DWORD kShownStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kShownExStyle = 0;
constexpr DWORD kUnseenStyle = WS_POPUP;
constexpr DWORD kUnseenExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // The session closes the editor first and destroys the window afterwards.
    auto* closeRequested = reinterpret_cast<bool*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (closeRequested) *closeRequested = true;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class WinEditorWindow : public EditorWindow {
 public:
  WinEditorWindow(HWND window, DWORD style, DWORD exStyle)
      : window_(window), style_(style), exStyle_(exStyle) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&closeRequested_));
  }

  ~WinEditorWindow() override {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
  }

  void* NativeHandle() const override { return window_; }

  void Resize(int width, int height) override {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, style_, FALSE, exStyle_);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  bool PumpEvents() override {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return !closeRequested_;
  }

  bool Capture(MemBitmap& pixels, std::string& error) override {
    RECT client;
    GetClientRect(window_, &client);
    const int width = client.right, height = client.bottom;
    HWND source = GetWindow(window_, GW_CHILD);
    if (!source) source = window_;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    bool ok = false;
    if (memory && dib && bits) {
      HGDIOBJ old = SelectObject(memory, dib);
      ok = PrintWindow(source, memory, PW_CLIENTONLY) != 0;
      GdiFlush();
      if (ok) {
        pixels.Resize(width, height);
        ok = pixels.Bits() != nullptr;
        const auto* from = static_cast<const uint32_t*>(bits);
        for (int y = 0; ok && y < height; ++y) {
          Pixel* row = pixels.Bits() + static_cast<ptrdiff_t>(y) * pixels.RowSpan();
          for (int x = 0; x < width; ++x)
            row[x] = 0xFF000000u | (from[static_cast<ptrdiff_t>(y) * width + x] & 0xFFFFFFu);
        }
      }
      SelectObject(memory, old);
    }
    if (dib) DeleteObject(dib);
    if (memory) DeleteDC(memory);
    if (!ok) error = "cannot read the editor window's pixels";
    return ok;
  }

  std::string PluginError() const override { return {}; }

 private:
  HWND window_;
  DWORD style_, exStyle_;
  bool closeRequested_ = false;
};

}  // namespace

void EditorWindow::PrepareForThreads() {}  // Win32 windows need nothing

std::unique_ptr<EditorWindow> EditorWindow::Create(const std::string& title, int width, int height,
                                                   Visibility visibility, std::string& error) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);

  const bool unseen = visibility == Visibility::kUnseen;
  const DWORD style = unseen ? kUnseenStyle : kShownStyle;
  const DWORD exStyle = unseen ? kUnseenExStyle : kShownExStyle;
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int x = unseen ? 0 : CW_USEDEFAULT, y = unseen ? 0 : CW_USEDEFAULT;
  HWND window =
      CreateWindowExA(exStyle, kClassName, title.c_str(), style, x, y, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!window) {
    error = "cannot make the editor's window";
    UnregisterClassA(kClassName, instance);
    return nullptr;
  }
  if (unseen) SetLayeredWindowAttributes(window, 0, 0, LWA_ALPHA);
  ShowWindow(window, unseen ? SW_SHOWNOACTIVATE : SW_SHOW);
  UpdateWindow(window);
  return std::make_unique<WinEditorWindow>(window, style, exStyle);
}

}  // namespace ferrix::host
