// The shared editor types: rectangle rules and the blend-to-blit-mode mapping.
#include <gtest/gtest.h>

#include "graphics/IBlend.h"
#include "graphics/IBounds.h"

namespace {

TEST(IBounds, OnlyAllZeroIsEmptyAndEmptyNeverTouchesOrContains) {
  const IBounds zero{}, dot{5, 5, 5, 5}, box{0, 0, 10, 10};
  EXPECT_TRUE(zero.IsEmpty());
  EXPECT_FALSE(dot.IsEmpty());
  EXPECT_FALSE(zero.Contains(0, 0));
  EXPECT_FALSE(dot.Contains(5, 5));  // right and bottom are exclusive
  EXPECT_TRUE(box.Contains(0, 9));
  EXPECT_FALSE(box.Contains(10, 5));
  EXPECT_FALSE(zero.Touches(box));
  EXPECT_FALSE(box.Touches(zero));
  EXPECT_TRUE(dot.Touches(box));
  // The rule is one-sided: the first rectangle's right and bottom edges may meet the other.
  EXPECT_TRUE(box.Touches({10, 10, 20, 20}));
  EXPECT_FALSE((IBounds{10, 10, 20, 20}.Touches(box)));
  // The union skips an empty side, but a degenerate (5, 5, 5, 5) takes part.
  EXPECT_EQ(Union(zero, dot), dot);
  EXPECT_EQ(Union(dot, zero), dot);
  EXPECT_EQ(Union(dot, IBounds{8, 1, 9, 2}), (IBounds{5, 1, 9, 5}));
}

TEST(IBlend, MethodsMapOntoBlitModes) {
  const struct {
    int32_t method;
    int32_t mode;
  } cases[] = {{IBlend::BlendAlpha, BLEND_COPY | BLEND_USE_SOURCE_ALPHA},
               {IBlend::BlendOpaque, BLEND_COPY},
               {IBlend::BlendAdd, BLEND_ADD | BLEND_USE_SOURCE_ALPHA},
               {IBlend::BlendDodge, BLEND_DODGE | BLEND_USE_SOURCE_ALPHA},
               {17, BLEND_COPY | BLEND_USE_SOURCE_ALPHA}};
  for (const auto& c : cases) {
    const IBlend blend{c.method, 0.5f};
    EXPECT_EQ(BlitModeOf(&blend), c.mode) << c.method;
  }
  EXPECT_EQ(BlitModeOf(nullptr), BLEND_COPY | BLEND_USE_SOURCE_ALPHA);
  EXPECT_EQ(BlitWeightOf(nullptr), 1.0f);
}

}  // namespace
