// State chunks through the built module's get-chunk and set-chunk requests: the program chunk's
// bytes, the bank round trip, headerless and older chunks, short data and refused requests.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/vst/ModuleHost.h"

namespace ferrix::vst::testing {
namespace {

using Bytes = std::vector<uint8_t>;

void PutInt(Bytes& bytes, int32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
}

void PutDoubles(Bytes& bytes, std::initializer_list<double> values) {
  for (double v : values) {
    uint8_t raw[8];
    std::memcpy(raw, &v, 8);  // little-endian targets only
    bytes.insert(bytes.end(), raw, raw + 8);
  }
}

class ModuleChunks : public ::testing::Test {
 protected:
  ScriptedHost host;
  LoadedModule module{ProbeModule(), &host};

  Bytes Get(bool bank, const LoadedModule& from) {
    void* data = nullptr;
    const VstIntPtr size = from.Dispatch(effGetChunk, bank ? 0 : 1, 0, &data);
    if (size <= 0 || !data) return {};
    return Bytes(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  }
  VstIntPtr Put(bool bank, Bytes bytes) {
    return module.Dispatch(effSetChunk, bank ? 0 : 1, static_cast<VstIntPtr>(bytes.size()),
                           bytes.data());
  }
  std::string Display(int32_t index) { return module.Text(effGetParamDisplay, index); }
};

TEST_F(ModuleChunks, ProgramChunkIsTheHeaderAndNineDoubles) {
  Bytes expected = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  PutDoubles(expected, {1.0, 5.0, 3.0, 3.0, 4.0, 5.0, 6.0, 7.0, 0.0});
  const Bytes chunk = Get(false, module);
  EXPECT_EQ(chunk.size(), 80u);
  EXPECT_EQ(chunk, expected);
}

TEST_F(ModuleChunks, BankRoundTripsIntoAnotherEffect) {
  module.effect->setParameter(module.effect, 0, 0.5f);  // Gain 2
  char name[8] = "Mine";
  module.Dispatch(effSetProgramName, 0, 0, name);
  const Bytes bank = Get(true, module);
  // Header, then per slot a length, the name, the flag and nine doubles:
  // 8 + 20 * (4 + 1 + 72) + "Mine" "Loud" "Bypassed" and 17 times "Empty".
  EXPECT_EQ(bank.size(), 8u + 20u * 77u + 4u + 4u + 8u + 17u * 5u);

  ScriptedHost otherHost;
  LoadedModule other(ProbeModule(), &otherHost);
  Bytes copy = bank;
  EXPECT_EQ(other.Dispatch(effSetChunk, 0, static_cast<VstIntPtr>(copy.size()), copy.data()), 1);
  EXPECT_EQ(other.Text(effGetProgramNameIndexed, 0), "Mine");
  EXPECT_EQ(other.Text(effGetProgramNameIndexed, 2), "Bypassed");
  EXPECT_EQ(other.Text(effGetParamDisplay, 0), "2.00");
  EXPECT_EQ(Get(true, other), bank);
}

TEST_F(ModuleChunks, HeaderlessAndOlderChunksHoldOneProgram) {
  Bytes values;
  PutDoubles(values, {2.5, 1.0, 12.0, -1.0, -2.0, -3.0, -4.0, -5.0, 1.0});
  EXPECT_EQ(Put(false, values), 1);
  EXPECT_EQ(Display(0), "2.50");
  EXPECT_EQ(Display(2), "-12.0");
  EXPECT_EQ(Display(8), "on");

  Bytes older;
  PutInt(older, 0x70666674);
  PutInt(older, 0x0000FFFF);
  PutDoubles(older, {0.5, 1.0, 6.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0});
  EXPECT_EQ(Put(true, older), 1);
  EXPECT_EQ(Display(0), "0.50");
  EXPECT_EQ(Display(8), "off");
  // Stored into the current program: switching away and back keeps them.
  module.Dispatch(effSetProgram, 0, 1);
  module.Dispatch(effSetProgram, 0, 0);
  EXPECT_EQ(Display(0), "0.50");

  EXPECT_EQ(Put(true, values), 1);  // a headerless bank is read as one program too
  EXPECT_EQ(Display(0), "2.50");
}

TEST_F(ModuleChunks, ShortDataAnswersZeroButKeepsWhatWasRead) {
  Bytes shortChunk;
  PutInt(shortChunk, 0x70666674);
  PutInt(shortChunk, 0x00010000);
  PutDoubles(shortChunk, {3.0, 2.0, 9.0});
  EXPECT_EQ(Put(false, shortChunk), 0);
  EXPECT_EQ(Display(0), "3.00");
  EXPECT_EQ(Display(2), "-9.0");
}

TEST_F(ModuleChunks, NullDataOrNegativeSizeChangesNothing) {
  const Bytes before = Get(false, module);
  Bytes values;
  PutDoubles(values, {4.0, 4.0, 4.0, 4.0, 4.0, 4.0, 4.0, 4.0, 1.0});
  EXPECT_EQ(module.Dispatch(effSetChunk, 1, 72, nullptr), 0);
  EXPECT_EQ(module.Dispatch(effSetChunk, 1, -72, values.data()), 0);
  EXPECT_EQ(module.Dispatch(effSetChunk, 0, -1, values.data()), 0);
  EXPECT_EQ(Get(false, module), before);
  EXPECT_EQ(module.Dispatch(effGetChunk, 1, 0, nullptr), 0);
}

}  // namespace
}  // namespace ferrix::vst::testing
