// Opens a file named in UTF-8 for untranslated reading ("rb"); null when it cannot.
#pragma once

#include <cstdio>

std::FILE* OpenFileUtf8(const char* fileName);
