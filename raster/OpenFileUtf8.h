// Opens a file named in UTF-8 with a C library mode (binary modes: "rb", "wb"); null when it
// cannot.
#pragma once

#include <cstdio>

std::FILE* OpenFileUtf8(const char* fileName, const char* mode = "rb");
