// IBlend: how a control's image is combined with the canvas (method and opacity), and its blit
// mode word.
#pragma once

#include <cstdint>

#include "raster/BlendMode.h"

struct IBlend {
  enum Method : int32_t { BlendAlpha = 0, BlendOpaque = 1, BlendAdd = 2, BlendDodge = 3 };

  int32_t method = BlendAlpha;
  float weight = 1.0f;
};

// Unknown methods blend like BlendAlpha; no blend at all (null) is BlendAlpha at weight 1.0.
inline int32_t BlitModeOf(const IBlend* blend) {
  switch (blend ? blend->method : IBlend::BlendAlpha) {
    case IBlend::BlendOpaque:
      return BLEND_COPY;
    case IBlend::BlendAdd:
      return BLEND_ADD | BLEND_USE_SOURCE_ALPHA;
    case IBlend::BlendDodge:
      return BLEND_DODGE | BLEND_USE_SOURCE_ALPHA;
    default:
      return BLEND_COPY | BLEND_USE_SOURCE_ALPHA;
  }
}

inline float BlitWeightOf(const IBlend* blend) {
  return blend ? blend->weight : 1.0f;
}
