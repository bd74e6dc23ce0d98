// Marks the module entry for export; everything else in a module stays hidden, so that our
// symbols never clash with another plug-in's in the same host process.
#pragma once

#ifdef _WIN32
#define FERRIX_MODULE_EXPORT extern "C" __declspec(dllexport)
#else
#define FERRIX_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif
