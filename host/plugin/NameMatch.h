// Finding a parameter or program by the name a user typed: exact first, then ignoring case.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ferrix::host {

bool EqualIgnoringCase(const std::string& a, const std::string& b);

std::optional<int> MatchName(const std::vector<std::string>& names, const std::string& wanted);

// "unknown parameter "x"; valid: "A", "B"" — the one-line error for a name that did not match.
std::string UnknownNameMessage(const std::string& what, const std::string& wanted,
                               const std::vector<std::string>& names);

}  // namespace ferrix::host
