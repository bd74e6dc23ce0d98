// MenuLabel: the text a menu shows for an entry, numbered by its menu's prefix.
#pragma once

#include <string>

// text, or with prefix 1, 2 or 3 "N: text" with N (the entry's 1-based position, separators
// counted) formatted "%1d", "%02d" or "%03d".
std::string MenuLabel(int prefix, int number, const char* text);
