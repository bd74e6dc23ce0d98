// Moving a plug-in's state into and out of preset files: chunks when the plug-in keeps its
// programs as chunks (effFlagsProgramChunks), parameter lists otherwise.
#pragma once

#include <cstdint>
#include <string>

#include "host/plugin/Plugin.h"
#include "host/presets/PresetFile.h"

namespace ferrix::host {

PresetFile CapturePreset(const Plugin& plugin, bool bank);
// Answers false with a reason in `error` (another plug-in's file, a refused chunk...).
bool ApplyPreset(const Plugin& plugin, const PresetFile& preset, std::string& error);

// Preset files are small: anything larger is refused before it is read.
constexpr uintmax_t kMaxPresetFileBytes = 8u << 20;

// What SavePresetFile would refuse about the name (extension, folder), checked up front.
bool CheckPresetTarget(const std::string& path, std::string& error);
// Written under a temporary name beside `path` and moved over it in one step.
bool SavePresetFile(const Plugin& plugin, const std::string& path, std::string& error);
bool LoadPresetFile(const Plugin& plugin, const std::string& path, std::string& error);

}  // namespace ferrix::host
