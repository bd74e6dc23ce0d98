// The maker's web address, opened from the maker's name on the editor's panel (the panel artwork
// prints the name over the area that opens it).
#pragma once

inline constexpr const char* kMakerWebAddress = "https://www.morvane.com/tessomar";
