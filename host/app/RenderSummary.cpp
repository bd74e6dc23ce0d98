// Levels print with one decimal ("-inf" for silence); JSON has no infinity, so silence is null.
#include "host/app/RenderSummary.h"

#include <cmath>
#include <cstdio>

namespace ferrix::host {
namespace {

std::string Db(double db) {
  if (std::isinf(db)) return "-inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", db);
  return text;
}

std::string JsonNumber(double v) {
  if (!std::isfinite(v)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", v);
  return text;
}

std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A change in dB with its sign ("+3.1", "-4.7"); "n/a" when either side is -infinity.
std::string Change(double after, double before) {
  if (!std::isfinite(after) || !std::isfinite(before)) return "n/a";
  char text[32];
  std::snprintf(text, sizeof text, "%+.1f", after - before);
  return text;
}

std::string SignedDb(double db) {
  if (std::isinf(db)) return "-inf";
  char text[32];
  std::snprintf(text, sizeof text, "%+.1f", db);
  return text;
}

std::string LoudnessJson(const std::optional<LoudnessFigures>& f) {
  if (!f) return "null";
  return "{\"integratedLufs\":" + JsonNumber(f->integratedLufs) +
         ",\"rangeLu\":" + JsonNumber(f->rangeLu) +
         ",\"samplePeakDb\":" + JsonNumber(f->samplePeakDb) +
         ",\"truePeakDb\":" + JsonNumber(f->truePeakDb) + "}";
}

std::string LoudnessRow(const char* label, const LoudnessFigures& f) {
  char row[160];
  std::snprintf(row, sizeof row,
                "  %-4s %s LUFS, range %s LU, sample peak %s dBFS, true peak %s dBTP\n", label,
                Db(f.integratedLufs).c_str(), Db(f.rangeLu).c_str(), Db(f.samplePeakDb).c_str(),
                SignedDb(f.truePeakDb).c_str());
  return row;
}

std::string JsonChange(double after, double before) {
  return std::isfinite(after) && std::isfinite(before) ? JsonNumber(after - before) : "null";
}

std::string Pad(const std::string& s, size_t width) {
  return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

}  // namespace

std::string SummaryText(const RenderSummary& s) {
  char head[512];
  std::snprintf(head, sizeof head, "%s: %s -> %s (%d Hz, %lld frames, %d-bit, block %d)\n",
                s.plugin.c_str(), s.input.c_str(), s.output.c_str(), s.sampleRate,
                static_cast<long long>(s.frames), s.precision, s.blockFrames);
  std::string text = head;
  text += "  channel   in peak    in RMS  out peak   out RMS  out overs   (dBFS)\n";
  for (size_t c = 0; c < s.outputLevels.size(); ++c) {
    const ChannelLevels& in = s.inputLevels[c];
    const ChannelLevels& out = s.outputLevels[c];
    text += Pad(std::to_string(c + 1), 9) + Pad(Db(in.peakDb), 10) + Pad(Db(in.rmsDb), 10) +
            Pad(Db(out.peakDb), 10) + Pad(Db(out.rmsDb), 10) + Pad(std::to_string(out.overs), 11) +
            "\n";
  }
  if (s.inputLoudness && s.outputLoudness) {
    text += LoudnessRow("in", *s.inputLoudness) + LoudnessRow("out", *s.outputLoudness);
    text +=
        "  change: " + Change(s.outputLoudness->integratedLufs, s.inputLoudness->integratedLufs) +
        " LU, true peak " + Change(s.outputLoudness->truePeakDb, s.inputLoudness->truePeakDb) +
        " dB\n";
  }
  if (s.largestGainReductionDb) {
    text += "  largest gain reduction: " + Db(*s.largestGainReductionDb) + " dB\n";
  }
  return text;
}

std::string SummaryJson(const RenderSummary& s) {
  std::string json =
      "{\"plugin\":" + JsonString(s.plugin) + ",\"input\":" + JsonString(s.input) +
      ",\"output\":" + JsonString(s.output) + ",\"sampleRate\":" + std::to_string(s.sampleRate) +
      ",\"frames\":" + std::to_string(s.frames) + ",\"precision\":" + std::to_string(s.precision) +
      ",\"block\":" + std::to_string(s.blockFrames) + ",\"channels\":[";
  for (size_t c = 0; c < s.outputLevels.size(); ++c) {
    const ChannelLevels& in = s.inputLevels[c];
    const ChannelLevels& out = s.outputLevels[c];
    if (c > 0) json += ',';
    json += "{\"inputPeakDb\":" + JsonNumber(in.peakDb) +
            ",\"inputRmsDb\":" + JsonNumber(in.rmsDb) +
            ",\"inputOvers\":" + std::to_string(in.overs) +
            ",\"outputPeakDb\":" + JsonNumber(out.peakDb) +
            ",\"outputRmsDb\":" + JsonNumber(out.rmsDb) +
            ",\"outputOvers\":" + std::to_string(out.overs) + "}";
  }
  json += "],\"largestGainReductionDb\":" +
          (s.largestGainReductionDb ? JsonNumber(*s.largestGainReductionDb) : "null");
  json += ",\"inputLoudness\":" + LoudnessJson(s.inputLoudness) +
          ",\"outputLoudness\":" + LoudnessJson(s.outputLoudness) + ",\"loudnessChange\":";
  if (s.inputLoudness && s.outputLoudness) {
    json +=
        "{\"integratedLu\":" +
        JsonChange(s.outputLoudness->integratedLufs, s.inputLoudness->integratedLufs) +
        ",\"truePeakDb\":" + JsonChange(s.outputLoudness->truePeakDb, s.inputLoudness->truePeakDb) +
        "}";
  } else {
    json += "null";
  }
  json += "}\n";
  return json;
}

std::string SummaryLine(const std::string& preset, const RenderSummary& s) {
  if (s.inputLoudness && s.outputLoudness) {
    const LoudnessFigures& in = *s.inputLoudness;
    const LoudnessFigures& out = *s.outputLoudness;
    std::string line = preset + ": " + Db(out.integratedLufs) + " LUFS (" +
                       Change(out.integratedLufs, in.integratedLufs) + "), true peak " +
                       SignedDb(out.truePeakDb) + " dBTP (" +
                       Change(out.truePeakDb, in.truePeakDb) + ")";
    if (s.largestGainReductionDb)
      line += ", gain reduction " + Db(*s.largestGainReductionDb) + " dB";
    return line + " -> " + s.output + "\n";
  }
  std::string peaks, rms;
  int64_t overs = 0;
  for (size_t c = 0; c < s.outputLevels.size(); ++c) {
    if (c > 0) {
      peaks += '/';
      rms += '/';
    }
    peaks += Db(s.outputLevels[c].peakDb);
    rms += Db(s.outputLevels[c].rmsDb);
    overs += s.outputLevels[c].overs;
  }
  std::string line =
      preset + ": peak " + peaks + " dBFS, RMS " + rms + " dBFS, overs " + std::to_string(overs);
  if (s.largestGainReductionDb) line += ", gain reduction " + Db(*s.largestGainReductionDb) + " dB";
  return line + " -> " + s.output + "\n";
}

}  // namespace ferrix::host
