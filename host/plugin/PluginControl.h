// Selecting programs and setting parameters by the names a user types.
#pragma once

#include <string>
#include <vector>

#include "host/plugin/Plugin.h"

namespace ferrix::host {

std::vector<std::string> ParamNames(const Plugin& plugin);
std::vector<std::string> ProgramNames(const Plugin& plugin);

// NAME, else INDEX. Answers false with a one-line reason listing the valid names.
bool SelectProgram(const Plugin& plugin, const std::string& nameOrIndex, std::string& error);
// A whole decimal number ("-2.5", "1e-3"), finite; no hex, no "nan", nothing after it.
bool IsDecimalNumber(const std::string& text);
// VALUE is the plug-in's own text (effString2Parameter), or "@x" with x a normalised 0..1.
bool SetParamByName(const Plugin& plugin, const std::string& name, const std::string& value,
                    std::string& error);

// The --list text: identity, parameters (index, name, label, display) and programs.
std::string DescribePlugin(const Plugin& plugin);

}  // namespace ferrix::host
