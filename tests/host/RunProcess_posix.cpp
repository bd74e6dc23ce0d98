// Running a program with fork and execv; its output goes to files, which are read back.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/host/HostTestSupport.h"

namespace ferrix::host::testing {

std::string NativePath(const char* buildPath) {
  return buildPath;
}

int ProcessId() {
  return static_cast<int>(getpid());
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& outFile, const std::string& errFile) {
  std::vector<std::string> all = {program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all)
    argv.push_back(a.data());
  argv.push_back(nullptr);

  ProcessResult result;
  const pid_t child = fork();
  if (child == 0) {
    const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadTextFile(outFile);
  result.err = ReadTextFile(errFile);
  return result;
}

}  // namespace ferrix::host::testing
