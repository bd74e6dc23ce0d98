#include "vst/VstAbi.h"

#include <gtest/gtest.h>

// Layout is checked at compile time in the header; this pins the values hosts compare against.
TEST(VstAbi, MagicAndVersion) {
  EXPECT_EQ(kEffectMagic, ('V' << 24) | ('s' << 16) | ('t' << 8) | 'P');
  EXPECT_EQ(kVstVersion, 2400);
  EXPECT_EQ(effFlagsCanReplacing | effFlagsCanDoubleReplacing | effFlagsMonoDeprecated |
                effFlagsHasEditor,
            0x1019);
  EXPECT_EQ(kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid | kVstTimeSigValid,
            0x3E00);
}
