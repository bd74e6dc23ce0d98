// The build without libebur128 (Windows): no loudness figures; the summary leaves them out.
#include "host/meters/Loudness.h"

namespace ferrix::host {

struct LoudnessMeter::State {};

LoudnessMeter::LoudnessMeter(int, int) : state_(new State) {}
LoudnessMeter::~LoudnessMeter() = default;
bool LoudnessMeter::Available() const {
  return false;
}
void LoudnessMeter::Add(const AudioBlock&) {}
std::optional<LoudnessFigures> LoudnessMeter::Figures() const {
  return std::nullopt;
}
bool LoudnessAvailable() {
  return false;
}

}  // namespace ferrix::host
