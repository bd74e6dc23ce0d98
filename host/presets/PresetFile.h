// The standard VST 2.4 preset files: ".fxp" (one program) and ".fxb" (a bank), a big-endian
// "CcnK" container holding either parameter lists ("FxCk", "FxBk") or an opaque chunk ("FPCh",
// "FBCh").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ferrix::host {

struct PresetProgram {
  std::string name;           // at most 28 bytes in the file
  std::vector<float> params;  // normalised values
};

struct PresetFile {
  bool bank = false;    // .fxb rather than .fxp
  bool opaque = false;  // a chunk rather than parameter lists
  int32_t pluginId = 0;
  int32_t pluginVersion = 0;
  int32_t numParams = 0;                // program files
  int32_t numPrograms = 0;              // bank files
  int32_t currentProgram = 0;           // bank files of format version 2; 0 otherwise
  std::vector<PresetProgram> programs;  // parameter lists: one for .fxp, numPrograms for .fxb
  std::string programName;              // opaque program files
  std::vector<uint8_t> chunk;           // opaque files
};

std::vector<uint8_t> EncodePresetFile(const PresetFile& preset);
// Answers false with a reason in `error` for anything that is not a well-formed preset file.
bool DecodePresetFile(const std::vector<uint8_t>& bytes, PresetFile& preset, std::string& error);

}  // namespace ferrix::host
