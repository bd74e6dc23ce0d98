// Case-insensitive means ASCII letters only, so names compare the same in every locale.
#include "host/plugin/NameMatch.h"

namespace ferrix::host {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::optional<int> MatchName(const std::vector<std::string>& names, const std::string& wanted) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == wanted) return static_cast<int>(i);
  }
  for (size_t i = 0; i < names.size(); ++i) {
    if (EqualIgnoringCase(names[i], wanted)) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::string UnknownNameMessage(const std::string& what, const std::string& wanted,
                               const std::vector<std::string>& names) {
  std::string message = "unknown " + what + " \"" + wanted + "\"; valid:";
  for (size_t i = 0; i < names.size(); ++i) {
    message += (i == 0 ? " \"" : ", \"") + names[i] + "\"";
  }
  return message;
}

}  // namespace ferrix::host
