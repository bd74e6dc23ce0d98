// Temporary names are ".<target name>.<process>-<counter>-<random>.partial": hidden, recognisable,
// and created exclusively, so an existing file of that name is never overwritten.
#include "host/audio/PendingFile.h"

#include <atomic>
#include <filesystem>
#include <random>
#include <system_error>

namespace ferrix::host {
namespace {

std::atomic<unsigned> gCounter{0};

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  const std::filesystem::path parent = path.parent_path();
  return parent.empty() ? std::filesystem::path(".") : parent;
}

}  // namespace

bool CheckOutputPath(const std::string& path, std::string& error) {
  std::error_code ec;
  const std::filesystem::path p(path);
  if (path.empty() || !p.has_filename()) {
    error = path + ": an output file needs a file name";
    return false;
  }
  if (std::filesystem::is_directory(p, ec)) {
    error = path + ": is a folder, not a file";
    return false;
  }
  if (!std::filesystem::is_directory(FolderOf(p), ec)) {
    error = path + ": the folder " + FolderOf(p).string() + " does not exist";
    return false;
  }
  return true;
}

PendingFile::~PendingFile() {
  Discard();
}

bool PendingFile::Create(const std::string& target, std::string& error) {
  Discard();
  if (!CheckOutputPath(target, error)) return false;
  const std::filesystem::path p(target);
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Appended piece by piece: GCC 12 mistakes "literal" + string for an overlapping copy.
    std::string name(1, '.');
    name.append(p.filename().string())
        .append(1, '.')
        .append(std::to_string(gCounter.fetch_add(1)))
        .append(1, '-')
        .append(std::to_string(random() % 1000000))
        .append(".partial");
    const std::string candidate = (FolderOf(p) / name).string();
    const int created = CreateNewFile(candidate);
    if (created == 1) {
      target_ = target;
      temporary_ = candidate;
      return true;
    }
    if (created < 0) break;
  }
  error = target + ": cannot create a file in its folder";
  return false;
}

bool PendingFile::Commit(std::string& error) {
  if (temporary_.empty()) {
    error = target_ + ": nothing to move into place";
    return false;
  }
  if (std::filesystem::is_directory(target_)) {
    error = target_ + ": is a folder, not a file";
    return false;
  }
  if (!MoveFileOver(temporary_, target_)) {
    error = target_ + ": cannot move the finished file into place";
    return false;
  }
  temporary_.clear();
  return true;
}

void PendingFile::Discard() {
  if (temporary_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(temporary_, ignored);
  temporary_.clear();
}

}  // namespace ferrix::host
