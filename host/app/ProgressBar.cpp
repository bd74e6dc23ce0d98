// "\r[#####...............]  25%": carriage return redraws in place, no terminal codes needed.
#include "host/app/ProgressBar.h"

#include <cstdio>
#include <string>

namespace ferrix::host {

constexpr int kWidth = 40;

ProgressBar::ProgressBar(bool enabled) : enabled_(enabled) {}

void ProgressBar::Update(double fraction) {
  if (!enabled_) return;
  const int percent = static_cast<int>(fraction * 100.0);
  if (percent == shown_) return;
  shown_ = percent;
  const int filled = percent * kWidth / 100;
  const std::string bar = std::string(filled, '#') + std::string(kWidth - filled, '.');
  std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
  std::fflush(stderr);
}

void ProgressBar::Finish() {
  if (!enabled_ || shown_ < 0) return;
  std::fprintf(stderr, "\r%*s\r", kWidth + 8, "");
  std::fflush(stderr);
}

}  // namespace ferrix::host
