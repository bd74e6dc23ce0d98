// IGraphicsWin: the window's life (class counting, opening, closing), presenting the canvas,
// resizing, the cursor, message boxes and image resources.
#include "graphics_win/IGraphicsWin.h"

#include "graphics/ModuleImage.h"
#include "plugin_core/EffectBase.h"
#include "raster/LazyPngBitmap.h"
#include "raster/PngResource.h"
#include "raster/SysBitmap.h"

IGraphicsWin::~IGraphicsWin() {
  DestroyTextEntry();
  CloseEditorWindow();
  // A class whose last window the host destroyed could not go while that window was dying.
  std::lock_guard<std::mutex> lock(windowClassMutex_);
  if (windowClassUsers_ == 0) UnregisterClassA(kClassName, moduleHandle_);
  delete[] customColours_;
}

void* IGraphicsWin::OpenEditorWindow(void* parent) {
  int x = 0, y = 0, w = Width(), h = Height();
  parentWindow_ = static_cast<HWND>(parent);
  if (window_) {
    // Reopening keeps the place and size. The place is taken in the parent's client
    // coordinates, where a child is placed, so a parent with a frame does not shift it.
    RECT rect;
    if (GetWindowRect(window_, &rect)) {
      POINT topLeft{rect.left, rect.top};
      ScreenToClient(parentWindow_, &topLeft);
      x = topLeft.x;
      y = topLeft.y;
      w = rect.right - rect.left;
      h = rect.bottom - rect.top;
    }
    CloseEditorWindow();
  }
  UseWindowClass();
  window_ = CreateWindowExA(0, kClassName, "EffectEditor", WS_CHILD | WS_VISIBLE, x, y, w, h,
                            parentWindow_, nullptr, moduleHandle_, this);
  if (!window_) {
    ReleaseWindowClass();
    return nullptr;
  }
  MarkAllControlsDirty();
  return window_;
}

void IGraphicsWin::CloseEditorWindow() {
  if (!window_) return;
  DestroyTextEntry();
  HWND window = window_;
  window_ = nullptr;
  // Messages of the dying window (and any that could follow) find no editor.
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
  ReleaseWindowClass();
}

void IGraphicsWin::WindowDestroyed() {
  DestroyTextEntry();
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  window_ = nullptr;
  ReleaseWindowClass();
}

void IGraphicsWin::UseWindowClass() {
  std::lock_guard<std::mutex> lock(windowClassMutex_);
  if (windowClassUsers_++ > 0) return;
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = EditorWindowProc;
  windowClass.hInstance = moduleHandle_;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
}

void IGraphicsWin::ReleaseWindowClass() {
  std::lock_guard<std::mutex> lock(windowClassMutex_);
  if (--windowClassUsers_ == 0) UnregisterClassA(kClassName, moduleHandle_);
}

bool IGraphicsWin::PresentArea(const IBounds& area) {
  HWND window = static_cast<HWND>(WindowHandle());
  if (!window) return true;  // drawn for a tool or test: nothing to show
  PAINTSTRUCT paint;
  HDC context = BeginPaint(window, &paint);
  if (context && Canvas() && Canvas()->SystemDC())
    BitBlt(context, area.left, area.top, area.right - area.left, area.bottom - area.top,
           static_cast<HDC>(Canvas()->SystemDC()), area.left, area.top, SRCCOPY);
  EndPaint(window, &paint);
  return true;
}

void IGraphicsWin::SetEditorSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  const int dw = width - Width(), dh = height - Height();
  DestroyTextEntry();  // its control is about to be deleted
  IGraphics::SetEditorSize(width, height);
  if (!window_) return;
  // The window, and its parent and grandparent when each is a plain child of the next.
  const auto plainChild = [](HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) &&
           !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_MDICHILD);
  };
  HWND windows[3] = {window_, nullptr, nullptr};
  if (plainChild(windows[0])) {
    windows[1] = GetParent(windows[0]);
    if (windows[1] && plainChild(windows[1])) windows[2] = GetParent(windows[1]);
  }
  const int32_t host = Effect() ? Effect()->IdentifyHost() : 0;
  const int count = (host == 1 || host == 3) ? 1 : 3;
  for (int i = 0; i < count && windows[i]; ++i) {
    RECT rect;
    GetWindowRect(windows[i], &rect);
    SetWindowPos(windows[i], nullptr, 0, 0, rect.right - rect.left + dw,
                 rect.bottom - rect.top + dh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT all{0, 0, width, height};
  InvalidateRect(window_, &all, FALSE);
}

void IGraphicsWin::HideCursorForDrag() {
  if (CursorHidden()) return;
  POINT point{-1, -1};
  GetCursorPos(&point);
  ShowCursor(FALSE);
  SetCursorHidden(true, point.x, point.y);
}

void IGraphicsWin::RestoreCursor() {
  if (!CursorHidden()) return;
  SetCursorPos(HiddenX(), HiddenY());
  ShowCursor(TRUE);
  SetCursorHidden(false);
}

int IGraphicsWin::ShowMessage(const char* text, const char* caption, int type) {
  return MessageBoxA(FindMainWindow(), text, caption, static_cast<UINT>(type));
}

HWND IGraphicsWin::FindMainWindow() {
  if (mainWindow_) return mainWindow_;
  if (parentWindow_) {
    HWND top = parentWindow_;
    while (HWND up = GetParent(top))
      top = up;
    mainWindow_ = top;
    char name[128] = {};
    GetClassNameA(top, name, sizeof name);
    mainWindowClass_.Set(name);
  } else if (mainWindowClass_.Length() > 0) {
    processId_ = GetCurrentProcessId();
    EnumWindows(FindMainWindowProc, reinterpret_cast<LPARAM>(this));
  }
  return mainWindow_;
}

BOOL CALLBACK IGraphicsWin::FindMainWindowProc(HWND window, LPARAM self) {
  auto* editor = reinterpret_cast<IGraphicsWin*>(self);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != editor->processId_) return TRUE;
  char name[128] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, editor->mainWindowClass_.Get()) != 0) return TRUE;
  editor->mainWindow_ = window;
  return FALSE;
}

RasterBitmap* IGraphicsWin::LoadImageResource(int id, const char* name) {
  if (!HasPngExtension(name)) return nullptr;
  const void* data = nullptr;
  int32_t size = 0;
  if (!FindPngResource(moduleHandle_, id, &data, &size)) return nullptr;
  return LazyPngBitmap::Create(data, size);
}
