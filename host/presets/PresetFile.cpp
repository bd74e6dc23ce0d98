// Byte layout, every integer and float big-endian: "CcnK", byte size of the rest, the kind
// ("FxCk", "FPCh", "FxBk", "FBCh"), format version, plug-in ID, plug-in version, then
//   program: parameter count, 28-byte name, and parameters or (chunk size, chunk);
//   bank:    program count, 128 reserved bytes (version 2: current program first), and one
//            "FxCk" program record per program or (chunk size, chunk).
#include "host/presets/PresetFile.h"

#include <cstddef>
#include <cstring>

namespace ferrix::host {
namespace {

constexpr size_t kNameBytes = 28;
constexpr size_t kBankReserved = 128;
constexpr size_t kProgramRecordBytes = 56;  // a program record without its parameters

constexpr uint32_t Tag(const char (&t)[5]) {
  return (uint32_t(uint8_t(t[0])) << 24) | (uint32_t(uint8_t(t[1])) << 16) |
         (uint32_t(uint8_t(t[2])) << 8) | uint32_t(uint8_t(t[3]));
}

class Writer {
 public:
  void U32(uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
      bytes.push_back(uint8_t(v >> shift));
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void F32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    U32(bits);
  }
  void Name(const std::string& name) {
    char field[kNameBytes] = {};
    std::strncpy(field, name.c_str(), kNameBytes - 1);
    bytes.insert(bytes.end(), field, field + kNameBytes);
  }
  void Zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
  void Bytes(const std::vector<uint8_t>& b) { bytes.insert(bytes.end(), b.begin(), b.end()); }
  // Patches the byte size at `at` to cover everything after it.
  void CloseSize(size_t at) {
    const uint32_t size = static_cast<uint32_t>(bytes.size() - at - 4);
    for (int i = 0; i < 4; ++i)
      bytes[at + i] = uint8_t(size >> (24 - 8 * i));
  }
  std::vector<uint8_t> bytes;
};

class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& b) : bytes_(b) {}
  bool U32(uint32_t& v) {
    if (!Has(4)) return false;
    v = 0;
    for (int i = 0; i < 4; ++i)
      v = (v << 8) | bytes_[pos_++];
    return true;
  }
  bool I32(int32_t& v) {
    uint32_t u;
    if (!U32(u)) return false;
    v = static_cast<int32_t>(u);
    return true;
  }
  bool F32(float& v) {
    uint32_t bits;
    if (!U32(bits)) return false;
    std::memcpy(&v, &bits, 4);
    return true;
  }
  bool Name(std::string& name) {
    if (!Has(kNameBytes)) return false;
    const char* field = reinterpret_cast<const char*>(&bytes_[pos_]);
    name.assign(field, strnlen(field, kNameBytes));
    pos_ += kNameBytes;
    return true;
  }
  // Whether `count` items of `bytesEach` can still follow: guards the counts read from the file.
  bool Fits(size_t count, size_t bytesEach) const {
    return count <= (bytes_.size() - pos_) / bytesEach;
  }
  bool Skip(size_t n) {
    if (!Has(n)) return false;
    pos_ += n;
    return true;
  }
  bool Bytes(size_t n, std::vector<uint8_t>& out) {
    if (!Has(n)) return false;
    out.assign(bytes_.begin() + static_cast<ptrdiff_t>(pos_),
               bytes_.begin() + static_cast<ptrdiff_t>(pos_ + n));
    pos_ += n;
    return true;
  }

 private:
  bool Has(size_t n) const { return bytes_.size() - pos_ >= n; }
  const std::vector<uint8_t>& bytes_;
  size_t pos_ = 0;
};

void WriteProgramRecord(Writer& w, const PresetFile& preset, const PresetProgram& program,
                        bool opaque) {
  w.U32(Tag("CcnK"));
  const size_t sizeAt = w.bytes.size();
  w.U32(0);
  w.U32(opaque ? Tag("FPCh") : Tag("FxCk"));
  w.I32(1);
  w.I32(preset.pluginId);
  w.I32(preset.pluginVersion);
  if (opaque) {
    w.I32(preset.numParams);
    w.Name(preset.programName);
    w.I32(static_cast<int32_t>(preset.chunk.size()));
    w.Bytes(preset.chunk);
  } else {
    w.I32(static_cast<int32_t>(program.params.size()));
    w.Name(program.name);
    for (float v : program.params)
      w.F32(v);
  }
  w.CloseSize(sizeAt);
}

// Reads one program record after its "CcnK", size and kind; `opaque` tells which kind it was.
bool ReadProgramBody(Reader& r, bool opaque, PresetFile& preset, PresetProgram& program) {
  int32_t version, count;
  if (!r.I32(version) || !r.I32(preset.pluginId) || !r.I32(preset.pluginVersion) || !r.I32(count) ||
      count < 0) {
    return false;
  }
  if (opaque) {
    int32_t size;
    preset.numParams = count;
    return r.Name(preset.programName) && r.I32(size) && size >= 0 &&
           r.Bytes(static_cast<size_t>(size), preset.chunk);
  }
  if (!r.Name(program.name) || !r.Fits(static_cast<size_t>(count), 4)) return false;
  program.params.resize(static_cast<size_t>(count));
  for (float& v : program.params) {
    if (!r.F32(v)) return false;
  }
  preset.numParams = count;
  return true;
}

}  // namespace

std::vector<uint8_t> EncodePresetFile(const PresetFile& preset) {
  Writer w;
  if (!preset.bank) {
    WriteProgramRecord(w, preset, preset.programs.empty() ? PresetProgram{} : preset.programs[0],
                       preset.opaque);
    return std::move(w.bytes);
  }
  w.U32(Tag("CcnK"));
  const size_t sizeAt = w.bytes.size();
  w.U32(0);
  w.U32(preset.opaque ? Tag("FBCh") : Tag("FxBk"));
  w.I32(2);
  w.I32(preset.pluginId);
  w.I32(preset.pluginVersion);
  w.I32(preset.opaque ? preset.numPrograms : static_cast<int32_t>(preset.programs.size()));
  w.I32(preset.currentProgram);
  w.Zeros(kBankReserved - 4);
  if (preset.opaque) {
    w.I32(static_cast<int32_t>(preset.chunk.size()));
    w.Bytes(preset.chunk);
  } else {
    for (const PresetProgram& program : preset.programs) {
      WriteProgramRecord(w, preset, program, false);
    }
  }
  w.CloseSize(sizeAt);
  return std::move(w.bytes);
}

bool DecodePresetFile(const std::vector<uint8_t>& bytes, PresetFile& preset, std::string& error) {
  preset = PresetFile{};
  Reader r(bytes);
  uint32_t magic, size, kind;
  if (!r.U32(magic) || magic != Tag("CcnK") || !r.U32(size) || !r.U32(kind)) {
    error = "not a VST preset file (no CcnK header)";
    return false;
  }
  bool ok = false;
  if (kind == Tag("FxCk") || kind == Tag("FPCh")) {
    preset.opaque = kind == Tag("FPCh");
    preset.programs.resize(preset.opaque ? 0 : 1);
    PresetProgram unused;
    ok = ReadProgramBody(r, preset.opaque, preset, preset.opaque ? unused : preset.programs[0]);
  } else if (kind == Tag("FxBk") || kind == Tag("FBCh")) {
    preset.bank = true;
    preset.opaque = kind == Tag("FBCh");
    int32_t version;
    ok = r.I32(version) && r.I32(preset.pluginId) && r.I32(preset.pluginVersion) &&
         r.I32(preset.numPrograms) && preset.numPrograms >= 0;
    if (ok && version >= 2) {
      ok = r.I32(preset.currentProgram) && r.Skip(kBankReserved - 4);
    } else if (ok) {
      ok = r.Skip(kBankReserved);
    }
    if (ok && preset.opaque) {
      int32_t chunkSize;
      ok = r.I32(chunkSize) && chunkSize >= 0 &&
           r.Bytes(static_cast<size_t>(chunkSize), preset.chunk);
    } else if (ok && r.Fits(static_cast<size_t>(preset.numPrograms), kProgramRecordBytes)) {
      preset.programs.resize(static_cast<size_t>(preset.numPrograms));
      const int32_t bankId = preset.pluginId;
      for (PresetProgram& program : preset.programs) {
        uint32_t programMagic, programSize, programKind;
        ok = r.U32(programMagic) && programMagic == Tag("CcnK") && r.U32(programSize) &&
             r.U32(programKind) && programKind == Tag("FxCk") &&
             ReadProgramBody(r, false, preset, program) && preset.pluginId == bankId;
        if (!ok) break;
      }
    } else {
      ok = false;
    }
  } else {
    error = "unknown preset kind in CcnK file";
    return false;
  }
  if (!ok) error = "damaged preset file (data ends early or counts do not match)";
  return ok;
}

}  // namespace ferrix::host
