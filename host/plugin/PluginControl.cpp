// Program names come from effGetProgramNameIndexed; plug-ins that do not answer it are asked
// by selecting each program in turn, then the current one is selected again.
#include "host/plugin/PluginControl.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "host/plugin/NameMatch.h"

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

bool IsDecimalNumber(const std::string& text) {
  size_t i = 0;
  auto digits = [&] {
    const size_t from = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
      ++i;
    return i - from;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t mantissa = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == text.size() && std::isfinite(std::strtod(text.c_str(), nullptr));
}

bool SetParamByName(const Plugin& plugin, const std::string& name, const std::string& value,
                    std::string& error) {
  const std::vector<std::string> names = ParamNames(plugin);
  const std::optional<int> index = MatchName(names, name);
  if (!index) {
    error = UnknownNameMessage("parameter", name, names);
    return false;
  }
  const std::string quoted = "parameter \"" + name + "\": \"" + value + "\"";
  if (!value.empty() && value[0] == '@') {
    const std::string number = value.substr(1);
    const double normalized = IsDecimalNumber(number) ? std::strtod(number.c_str(), nullptr) : -1.0;
    if (!(normalized >= 0.0 && normalized <= 1.0)) {
      error = quoted + " is not a normalised value @0..1";
      return false;
    }
    plugin.SetParam(*index, static_cast<float>(normalized));
    return true;
  }
  // A plug-in's parser may stop at the first character it does not know ("1,5" read as 1), and
  // the host cannot see how far it got. So a text that starts like a number must be a whole
  // decimal number, and any other text must be one the plug-in shows back once it is set.
  const bool numeric = !value.empty() && (std::isdigit(static_cast<unsigned char>(value[0])) ||
                                          value[0] == '-' || value[0] == '+' || value[0] == '.');
  if (numeric && !IsDecimalNumber(value)) {
    error = quoted + " is not a decimal number";
    return false;
  }
  const float before = plugin.GetParam(*index);
  if (!plugin.String2Parameter(*index, value)) {
    error = "parameter \"" + name + "\": the plug-in does not take the text \"" + value +
            "\" (use " + name + "=@0..1 for a normalised value)";
    return false;
  }
  const std::string shown = plugin.ParamDisplay(*index);
  if (!numeric && !EqualIgnoringCase(shown, value)) {
    plugin.SetParam(*index, before);
    error = "parameter \"" + name + "\": the plug-in does not take the text \"" + value +
            "\" (it read it as \"" + shown + "\"; use " + name + "=@0..1 for a normalised value)";
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
