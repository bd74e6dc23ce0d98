// A file written under a unique temporary name beside its target and moved over the target in
// one step once complete, so the target is either the old file or the whole new one.
#pragma once

#include <string>

namespace ferrix::host {

// Answers false with a one-line reason when `path` cannot take an output file: it names a
// folder, or its folder does not exist. Creates nothing.
bool CheckOutputPath(const std::string& path, std::string& error);

class PendingFile {
 public:
  PendingFile() = default;
  ~PendingFile();  // removes the temporary file unless it was committed
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Creates an empty file with a name no one else uses in `target`'s folder.
  bool Create(const std::string& target, std::string& error);
  const std::string& TemporaryPath() const { return temporary_; }
  // Renames the temporary file over the target; the target never disappears in between.
  bool Commit(std::string& error);
  void Discard();

 private:
  std::string target_;
  std::string temporary_;
};

// One file per platform: creates `path` only if nothing of that name exists (1), answers 0 when
// the name is taken and -1 on any other failure.
int CreateNewFile(const std::string& path);
// Renames `from` over `to`, replacing a file there in one step.
bool MoveFileOver(const std::string& from, const std::string& to);

}  // namespace ferrix::host
