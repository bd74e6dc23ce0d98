// Running a program with CreateProcess; its output goes to inheritable file handles, which are
// read back. Arguments are quoted; the tests pass none that end in a backslash or hold quotes.
#include <windows.h>

#include "tests/host/HostTestSupport.h"

namespace ferrix::host::testing {

std::string NativePath(const char* buildPath) {
  std::string path = buildPath;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    c = c == '/' ? '\\' : c;
  return path;
}

int ProcessId() {
  return static_cast<int>(GetCurrentProcessId());
}

namespace {

HANDLE OpenForChild(const std::string& path) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& outFile, const std::string& errFile) {
  std::string commandLine = "\"" + program + "\"";
  for (const std::string& a : args)
    commandLine += " \"" + a + "\"";

  ProcessResult result;
  HANDLE out = OpenForChild(outFile);
  HANDLE err = OpenForChild(errFile);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      0, nullptr, nullptr, &startup, &process);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) return result;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  result.exitCode = static_cast<int>(code);
  result.out = ReadTextFile(outFile);
  result.err = ReadTextFile(errFile);
  return result;
}

}  // namespace ferrix::host::testing
