// Moving a plug-in's state into and out of preset files: chunks when the plug-in keeps its
// programs as chunks (effFlagsProgramChunks), parameter lists otherwise.
#pragma once

#include <string>

#include "host/Plugin.h"
#include "host/PresetFile.h"

namespace ferrix::host {

PresetFile CapturePreset(const Plugin& plugin, bool bank);
// Answers false with a reason in `error` (another plug-in's file, a refused chunk...).
bool ApplyPreset(const Plugin& plugin, const PresetFile& preset, std::string& error);

bool SavePresetFile(const Plugin& plugin, const std::string& path, std::string& error);
bool LoadPresetFile(const Plugin& plugin, const std::string& path, std::string& error);

}  // namespace ferrix::host
