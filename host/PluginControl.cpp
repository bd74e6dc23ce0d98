// Program names come from effGetProgramNameIndexed; plug-ins that do not answer it are asked
// by selecting each program in turn, then the current one is selected again.
#include "host/PluginControl.h"

#include <cstdio>
#include <cstdlib>

#include "host/NameMatch.h"

namespace ferrix::host {

std::vector<std::string> ParamNames(const Plugin& plugin) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < plugin.NumParams(); ++i)
    names.push_back(plugin.ParamName(i));
  return names;
}

std::vector<std::string> ProgramNames(const Plugin& plugin) {
  std::vector<std::string> names;
  bool anyIndexed = false;
  for (int32_t i = 0; i < plugin.NumPrograms(); ++i) {
    names.push_back(plugin.ProgramNameIndexed(i));
    anyIndexed = anyIndexed || !names.back().empty();
  }
  if (!anyIndexed && plugin.NumPrograms() > 1) {
    const int32_t current = plugin.Program();
    for (int32_t i = 0; i < plugin.NumPrograms(); ++i) {
      plugin.SetProgram(i);
      names[static_cast<size_t>(i)] = plugin.ProgramName();
    }
    plugin.SetProgram(current);
  }
  return names;
}

bool SelectProgram(const Plugin& plugin, const std::string& nameOrIndex, std::string& error) {
  const std::vector<std::string> names = ProgramNames(plugin);
  std::optional<int> index = MatchName(names, nameOrIndex);
  if (!index && !nameOrIndex.empty()) {
    char* end = nullptr;
    const long number = std::strtol(nameOrIndex.c_str(), &end, 10);
    if (*end == '\0' && number >= 0 && number < plugin.NumPrograms())
      index = static_cast<int>(number);
  }
  if (!index) {
    error = UnknownNameMessage("preset", nameOrIndex, names) + " (or an index 0.." +
            std::to_string(plugin.NumPrograms() - 1) + ")";
    return false;
  }
  plugin.SetProgram(*index);
  return true;
}

bool SetParamByName(const Plugin& plugin, const std::string& name, const std::string& value,
                    std::string& error) {
  const std::vector<std::string> names = ParamNames(plugin);
  const std::optional<int> index = MatchName(names, name);
  if (!index) {
    error = UnknownNameMessage("parameter", name, names);
    return false;
  }
  if (!value.empty() && value[0] == '@') {
    char* end = nullptr;
    const double normalized = std::strtod(value.c_str() + 1, &end);
    if (value.size() == 1 || *end != '\0' || !(normalized >= 0.0 && normalized <= 1.0)) {
      error = "parameter \"" + name + "\": \"" + value + "\" is not a normalised value @0..1";
      return false;
    }
    plugin.SetParam(*index, static_cast<float>(normalized));
    return true;
  }
  if (!plugin.String2Parameter(*index, value)) {
    error = "parameter \"" + name + "\": the plug-in does not take the text \"" + value +
            "\" (use " + name + "=@0..1 for a normalised value)";
    return false;
  }
  return true;
}

std::string DescribePlugin(const Plugin& plugin) {
  const AEffect* e = plugin.Effect();
  std::string id;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((e->uniqueID >> shift) & 0xFF);
    id += c >= 32 && c < 127 ? c : '?';
  }
  char line[512];
  std::snprintf(line, sizeof line,
                "%s by %s (%s)\n  ID 0x%08X '%s', version %d, %d in / %d out, flags 0x%X%s%s\n",
                plugin.EffectName().c_str(), plugin.VendorString().c_str(), plugin.Path().c_str(),
                static_cast<unsigned>(e->uniqueID), id.c_str(), e->version, e->numInputs,
                e->numOutputs, static_cast<unsigned>(e->flags),
                plugin.HasFlag(effFlagsProgramChunks) ? ", state as chunks" : "",
                plugin.HasFlag(effFlagsCanDoubleReplacing) ? ", 64-bit processing" : "");
  std::string text = line;
  text += "Parameters (" + std::to_string(plugin.NumParams()) + "):\n";
  for (int32_t i = 0; i < plugin.NumParams(); ++i) {
    std::snprintf(line, sizeof line, "  %3d  %-24s %s %s", i, plugin.ParamName(i).c_str(),
                  plugin.ParamDisplay(i).c_str(), plugin.ParamLabel(i).c_str());
    std::string entry = line;
    while (entry.back() == ' ')
      entry.pop_back();  // no label
    text += entry + "\n";
  }
  const std::vector<std::string> programs = ProgramNames(plugin);
  const int32_t current = plugin.Program();
  text += "Programs (" + std::to_string(programs.size()) + "):\n";
  for (size_t i = 0; i < programs.size(); ++i) {
    std::snprintf(line, sizeof line, "  %3d  %s%s\n", static_cast<int>(i), programs[i].c_str(),
                  static_cast<int32_t>(i) == current ? "  (current)" : "");
    text += line;
  }
  return text;
}

}  // namespace ferrix::host
