// Exclusive creation with CREATE_NEW; MoveFileExW with MOVEFILE_REPLACE_EXISTING replaces the
// target in one step (plain rename refuses an existing target on Windows).
#include <windows.h>

#include <filesystem>

#include "host/audio/PendingFile.h"

namespace ferrix::host {

int CreateNewFile(const std::string& path) {
  const std::wstring wide = std::filesystem::path(path).wstring();
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ? 0 : -1;
  }
  CloseHandle(file);
  return 1;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
  const std::wstring source = std::filesystem::path(from).wstring();
  const std::wstring target = std::filesystem::path(to).wstring();
  return MoveFileExW(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace ferrix::host
