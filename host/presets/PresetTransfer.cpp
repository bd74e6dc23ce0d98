// A bank of parameter lists is applied program by program through set-program, then the bank's
// current program is selected again; a file is written to a temporary name and renamed.
#include "host/presets/PresetTransfer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "host/audio/PendingFile.h"

namespace ferrix::host {
namespace {

PresetProgram CurrentProgram(const Plugin& plugin) {
  PresetProgram program;
  program.name = plugin.ProgramName();
  for (int32_t i = 0; i < plugin.NumParams(); ++i)
    program.params.push_back(plugin.GetParam(i));
  return program;
}

// The display text of a number and its neighbours one unit away in the last shown digit
// ("89" gives "89", "90", "88"): a display may truncate 89.99998 to "89". Any other text
// (a value text such as "on") is its own only candidate.
std::vector<std::string> DisplayCandidates(const std::string& display) {
  char* end = nullptr;
  const double value = std::strtod(display.c_str(), &end);
  if (display.empty() || *end != '\0') return {display};
  const size_t point = display.find('.');
  const int decimals =
      point == std::string::npos ? 0 : static_cast<int>(display.size() - point - 1);
  const double unit = std::pow(10.0, -decimals);
  std::vector<std::string> candidates = {display};
  for (const double neighbour : {value + unit, value - unit}) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, neighbour);
    candidates.push_back(text);
  }
  return candidates;
}

// A parameter list holds normalised floats, and a value such as 4.2 dB does not come back from
// its float exactly (4.2000003). When a value the plug-in shows, typed back in through
// effString2Parameter, has the very same normalised float, the file cannot tell it from the saved
// value and it is the likelier one (factory values and typed values sit on the display grid), so
// it is taken; otherwise the float stands.
void ApplyParam(const Plugin& plugin, int32_t index, float normalized) {
  plugin.SetParam(index, normalized);
  for (const std::string& text : DisplayCandidates(plugin.ParamDisplay(index))) {
    if (plugin.String2Parameter(index, text) && plugin.GetParam(index) == normalized) return;
  }
  plugin.SetParam(index, normalized);
}

void ApplyProgram(const Plugin& plugin, const PresetProgram& program) {
  plugin.SetProgramName(program.name);
  const auto count =
      std::min<size_t>(program.params.size(), static_cast<size_t>(plugin.NumParams()));
  for (size_t i = 0; i < count; ++i)
    ApplyParam(plugin, static_cast<int32_t>(i), program.params[i]);
}

}  // namespace

PresetFile CapturePreset(const Plugin& plugin, bool bank) {
  PresetFile preset;
  preset.bank = bank;
  preset.opaque = plugin.HasFlag(effFlagsProgramChunks);
  preset.pluginId = plugin.Effect()->uniqueID;
  preset.pluginVersion = plugin.Effect()->version;
  preset.numParams = plugin.NumParams();
  preset.numPrograms = plugin.NumPrograms();
  preset.currentProgram = plugin.Program();
  if (preset.opaque) {
    preset.programName = plugin.ProgramName();
    preset.chunk = plugin.GetChunk(!bank);
    return preset;
  }
  if (!bank) {
    preset.programs.push_back(CurrentProgram(plugin));
    return preset;
  }
  for (int32_t p = 0; p < plugin.NumPrograms(); ++p) {
    plugin.SetProgram(p);
    preset.programs.push_back(CurrentProgram(plugin));
  }
  plugin.SetProgram(preset.currentProgram);
  return preset;
}

bool ApplyPreset(const Plugin& plugin, const PresetFile& preset, std::string& error) {
  if (preset.pluginId != plugin.Effect()->uniqueID) {
    error = "the preset file belongs to another plug-in";
    return false;
  }
  if (preset.opaque) {
    if (!plugin.HasFlag(effFlagsProgramChunks)) {
      error = "the preset file holds a chunk, but the plug-in does not take chunks";
      return false;
    }
    if (!plugin.SetChunk(!preset.bank, preset.chunk)) {
      error = "the plug-in refused the preset file's chunk";
      return false;
    }
    if (!preset.bank) {
      plugin.SetProgramName(preset.programName);
    } else if (preset.currentProgram != plugin.Program() && preset.currentProgram >= 0 &&
               preset.currentProgram < plugin.NumPrograms()) {
      plugin.SetProgram(preset.currentProgram);
    }
    return true;
  }
  if (!preset.bank) {
    ApplyProgram(plugin, preset.programs[0]);
    return true;
  }
  const auto count =
      std::min<int32_t>(static_cast<int32_t>(preset.programs.size()), plugin.NumPrograms());
  for (int32_t p = 0; p < count; ++p) {
    plugin.SetProgram(p);
    ApplyProgram(plugin, preset.programs[static_cast<size_t>(p)]);
  }
  plugin.SetProgram(std::clamp(preset.currentProgram, 0, std::max(count - 1, 0)));
  return true;
}

bool CheckPresetTarget(const std::string& path, std::string& error) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext != ".fxp" && ext != ".fxb") {
    error = path + ": a preset file name ends in .fxp (program) or .fxb (bank)";
    return false;
  }
  return CheckOutputPath(path, error);
}

bool SavePresetFile(const Plugin& plugin, const std::string& path, std::string& error) {
  if (!CheckPresetTarget(path, error)) return false;
  const std::string ext = std::filesystem::path(path).extension().string();
  const bool bank = ext.size() == 4 && std::tolower(static_cast<unsigned char>(ext[3])) == 'b';
  const std::vector<uint8_t> bytes = EncodePresetFile(CapturePreset(plugin, bank));
  PendingFile pending;
  if (!pending.Create(path, error)) return false;
  {
    std::ofstream out(pending.TemporaryPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      error = path + ": cannot write the preset file";
      return false;
    }
  }
  return pending.Commit(error);
}

bool LoadPresetFile(const Plugin& plugin, const std::string& path, std::string& error) {
  // Size first: a folder, a device such as /dev/zero or a huge file is no preset file, and
  // reading it whole would never end or exhaust memory.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    error = path + (std::filesystem::exists(path, ec) ? ": not a regular file"
                                                      : ": cannot read the preset file");
    return false;
  }
  const uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxPresetFileBytes) {
    error = path + ": too large for a preset file (at most " +
            std::to_string(kMaxPresetFileBytes >> 20) + " MB)";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot read the preset file";
    return false;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  bytes.resize(static_cast<size_t>(in.gcount()));
  PresetFile preset;
  if (!DecodePresetFile(bytes, preset, error) || !ApplyPreset(plugin, preset, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

}  // namespace ferrix::host
