// A console handle answers GetConsoleMode; files and pipes do not.
#include <windows.h>

#include "host/app/Terminal.h"

namespace ferrix::host {

bool StderrIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace ferrix::host
