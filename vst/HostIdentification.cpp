// VstEffect host identification: the host's product name, lowered, searched in the host-name
// table; the host is asked once per object.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "support/TracePoint.h"
#include "vst/VstEffect.h"

namespace {

constexpr int kProductNameSize = 256;

struct HostName {
  const char* text;
  int32_t kind;
};

// In testing order: the first text found anywhere in the lowered name decides.
constexpr HostName kHostNames[] = {
    {"cubase", 3},      {"quillet", 1},     {"nuendo", 4},
    {"cakewalk", 5},    {"samplitude", 8},  {"fruity", 7},
    {"live", 9},        {"melodyne", 12},   {"vstmanlib", 13},
    {"aulab", 14},      {"garageband", 22}, {"forte", 15},
    {"chainer", 16},    {"audition", 17},   {"orion", 18},
    {"sawstudio", 20},  {"logic", 21},      {"digital", 23},
    {"audiomulch", 25}, {"presonus", 26},   {"vst3plugintesthost", 27},
    {"protools", 2},    {"ardour", 28},     {"standalone", 24},
};

// Decimal-coded major * 10000 + minor * 100 + revision, packed as 0xMMMMmmrr.
int32_t PackHostVersion(VstIntPtr decimal) {
  const auto major = static_cast<int32_t>(decimal / 10000);
  const auto minor = static_cast<int32_t>((decimal % 10000) / 100);
  const auto revision = static_cast<int32_t>(decimal % 100);
  return (major << 16) + (minor << 8) + revision;
}

}  // namespace

int32_t VstEffect::MatchHostName(const char* name) {
  char lowered[kProductNameSize] = {};
  // Only A to Z change, as in the default C locale, whatever locale the host has set.
  for (int i = 0; name && name[i] != '\0' && i < kProductNameSize - 1; ++i) {
    const char c = name[i];
    lowered[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  for (const HostName& host : kHostNames) {
    if (std::strstr(lowered, host.text)) return host.kind;
  }
  return 0;
}

int32_t VstEffect::IdentifyHost() {
  if (HostKind() != -1) return HostKind();
  char product[kProductNameSize] = {};
  CallHost(audioMasterGetProductString, 0, 0, product);
  product[kProductNameSize - 1] = '\0';
  int32_t version = 0;
  if (product[0] != '\0') version = PackHostVersion(CallHost(audioMasterGetVendorVersion));
  const int32_t kind = MatchHostName(product);
  SetHostKind(kind, version);
  char versionText[64];
  std::snprintf(versionText, sizeof versionText, "v%d.%d.%d", version >> 16, (version >> 8) & 0xFF,
                version & 0xFF);
  TracePoint("VstEffect::IdentifyHost", __LINE__, "%s %s %d", product, versionText, kind);
  return kind;
}
