// IGraphicsWin: folders, the file and colour dialogs, and opening a web address.
#include <windows.h>
// After windows.h:
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "graphics_win/FileFilter.h"
#include "graphics_win/IGraphicsWin.h"

namespace {

// The folder of a module's file, with its trailing backslash, or "" (module null: the host).
void FolderOfModule(HMODULE module, TextBuffer* folder) {
  folder->Set("");
  char path[256] = {};
  const DWORD length = GetModuleFileNameA(module, path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  const char* slash = std::strrchr(path, '\\');
  if (slash && slash[1] != '\0') folder->Set(path, static_cast<int>(slash - path + 1));
}

UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* choose = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    const auto* prompt = reinterpret_cast<const char*>(choose->lCustData);
    if (prompt) SetWindowTextA(dialog, prompt);
  }
  return 0;
}

}  // namespace

void IGraphicsWin::HostFolder(TextBuffer* folder) {
  if (folder) FolderOfModule(nullptr, folder);
}

void IGraphicsWin::ModuleFolder(TextBuffer* folder) {
  if (folder) FolderOfModule(moduleHandle_, folder);
}

void IGraphicsWin::DesktopFolder(TextBuffer* folder) {
  if (!folder) return;
  char path[256] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOP, FALSE)) path[0] = '\0';
  folder->Set(path);
}

void IGraphicsWin::ChooseFile(TextBuffer* file, int action, TextBuffer* folder,
                              const char* extensions) {
  if (!file || !folder) return;
  if (!window_) {
    file->Set("");
    return;
  }
  char fileName[256] = {};
  std::snprintf(fileName, sizeof fileName, "%s", file->Get());
  if (folder->Length() == 0) DesktopFolder(folder);

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFile = fileName;
  dialog.nMaxFile = sizeof fileName - 1;
  dialog.lpstrInitialDir = folder->Get();
  FileFilter filter;
  if (BuildFileFilter(extensions, &filter)) {
    dialog.lpstrFilter = filter.filter;
    dialog.lpstrDefExt = filter.defaultExtension;
  }
  BOOL confirmed;
  if (action == 1) {
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    confirmed = GetSaveFileNameA(&dialog);
  } else {
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    confirmed = GetOpenFileNameA(&dialog);
  }
  if (!confirmed) return;
  char drive[_MAX_DRIVE] = {}, directory[_MAX_DIR] = {};
  if (_splitpath_s(fileName, drive, sizeof drive, directory, sizeof directory, nullptr, 0, nullptr,
                   0) == 0) {
    char chosenFolder[257] = {};
    std::snprintf(chosenFolder, sizeof chosenFolder, "%s%s", drive, directory);
    folder->Set(chosenFolder, 256);
  }
  file->Set(fileName);
}

bool IGraphicsWin::PickColour(IArgb* colour, const char* prompt) {
  if (!window_ || !colour) return false;
  if (!customColours_) customColours_ = new (std::nothrow) COLORREF[16]();
  if (!customColours_) return false;
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = window_;
  choose.rgbResult = RGB(colour->red, colour->green, colour->blue);
  choose.lpCustColors = customColours_;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_ANYCOLOR;
  choose.lCustData = reinterpret_cast<LPARAM>(prompt);
  choose.lpfnHook = ColourDialogHook;
  if (!ChooseColorA(&choose)) return false;
  colour->red = GetRValue(choose.rgbResult);
  colour->green = GetGValue(choose.rgbResult);
  colour->blue = GetBValue(choose.rgbResult);
  return true;
}

bool IGraphicsWin::OpenWebAddress(const char* address, const char* title, const char* confirmText,
                                  const char* failureText) {
  if (confirmText && MessageBoxA(window_, confirmText, title, MB_YESNO) != IDYES) return false;
  DWORD connection = 0;
  if (address && InternetGetConnectedState(&connection, 0) &&
      reinterpret_cast<INT_PTR>(
          ShellExecuteA(window_, "open", address, nullptr, nullptr, SW_SHOWNORMAL)) > 32)
    return true;
  if (failureText) MessageBoxA(window_, failureText, title, MB_OK);
  return false;
}
