// Options take their value as the next argument; INPUT and OUTPUT are positional and go together.
#include "host/app/CommandLine.h"

#include <cstdlib>

#include "host/plugin/PluginControl.h"

namespace ferrix::host {

const char* const kUsage =
    "usage: ferrix-host [options] [INPUT OUTPUT]\n"
    "Renders INPUT through a VST 2.4 plug-in into OUTPUT (WAV, FLAC, AIFF, OGG...).\n"
    "Without INPUT, OUTPUT or a preset file: renders the bundled demo with every program into\n"
    "--out-dir (the main job).\n"
    "  --plugin PATH         the VST 2.4 module (default: Ferrix built beside ferrix-host)\n"
    "  --block N             block size in frames (default 512)\n"
    "  --precision 32|64     processReplacing or processDoubleReplacing (default 32)\n"
    "  --list                print the plug-in's identity, parameters and programs\n"
    "  --preset NAME|INDEX   select a program\n"
    "  --param NAME=VALUE    set a parameter from the plug-in's own text, or NAME=@0.75 "
    "normalised\n"
    "  --load FILE           read a .fxp or .fxb preset file first\n"
    "  --save FILE           write the plug-in's state as .fxp (program) or .fxb (bank)\n"
    "  --out-dir DIR         the main job's output folder (default out); the main job also\n"
    "                        draws a .png of each render beside its file\n"
    "  --plot FILE.png       a picture of the render: waveforms in and out, gain reduction\n"
    "  --batch IN_DIR OUT_DIR  every audio file under IN_DIR (recursively) into the same\n"
    "                        relative path and format under OUT_DIR\n"
    "  --jobs N              worker threads for --batch (default: one per core); use --jobs 1\n"
    "                        for plug-ins whose instances are not safe on parallel threads\n"
    "  --editor              open the plug-in's editor in a window, with --input (default:\n"
    "                        the demo) looping through it in real time; close the window or\n"
    "                        press Ctrl+C to end\n"
    "  --editor-snapshot OUT.png  the same in a window nobody sees: process --after-seconds\n"
    "                        of the audio, then write the editor's pixels to OUT.png\n"
    "  --after-seconds S     audio a snapshot processes first (default 1)\n"
    "  --input FILE          the audio behind --editor and --editor-snapshot\n"
    "  --quiet               no progress bar, no summary\n"
    "  --json                the summary as one JSON object\n"
    "The summary gives peaks, RMS and overs per channel and, in the Linux build, integrated\n"
    "loudness (LUFS), loudness range (LU), sample peak and true peak (dBTP) of input and output;\n"
    "the Windows build has no loudness figures.\n";

namespace {

bool ParseInt(const std::string& text, int& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || v < 1 || v > 1 << 20) return false;
  value = static_cast<int>(v);
  return true;
}

// A plain decimal number of seconds, 0 to an hour.
bool ParseSeconds(const std::string& text, double& seconds) {
  if (!IsDecimalNumber(text)) return false;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !(v >= 0.0 && v <= 3600.0)) return false;
  seconds = v;
  return true;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, Options& options, std::string& error) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return false;
      }
      out = argv[++i];
      return true;
    };
    std::string text;
    if (arg == "--plugin") {
      if (!value(options.plugin)) return false;
    } else if (arg == "--block") {
      if (!value(text)) return false;
      if (!ParseInt(text, options.block)) {
        error = "--block needs a frame count from 1 to 1048576, not \"" + text + "\"";
        return false;
      }
    } else if (arg == "--precision") {
      if (!value(text)) return false;
      if (text != "32" && text != "64") {
        error = "--precision is 32 or 64, not \"" + text + "\"";
        return false;
      }
      options.precision = text == "64" ? 64 : 32;
    } else if (arg == "--list") {
      options.list = true;
    } else if (arg == "--preset") {
      if (!value(options.preset)) return false;
    } else if (arg == "--param") {
      if (!value(text)) return false;
      const size_t eq = text.find('=');
      if (eq == std::string::npos || eq == 0) {
        error = "--param takes NAME=VALUE, not \"" + text + "\"";
        return false;
      }
      options.params.emplace_back(text.substr(0, eq), text.substr(eq + 1));
    } else if (arg == "--load") {
      if (!value(options.loadPreset)) return false;
    } else if (arg == "--save") {
      if (!value(options.savePreset)) return false;
    } else if (arg == "--plot") {
      if (!value(options.plot)) return false;
    } else if (arg == "--out-dir") {
      if (!value(options.outDir)) return false;
    } else if (arg == "--batch") {
      if (!value(options.batchIn) || !value(options.batchOut)) return false;
    } else if (arg == "--jobs") {
      if (!value(text)) return false;
      if (!ParseInt(text, options.jobs) || options.jobs > 256) {
        error = "--jobs needs a thread count from 1 to 256, not \"" + text + "\"";
        return false;
      }
    } else if (arg == "--editor") {
      options.editor = true;
    } else if (arg == "--editor-snapshot") {
      if (!value(options.editorSnapshot)) return false;
    } else if (arg == "--after-seconds") {
      if (!value(text)) return false;
      if (!ParseSeconds(text, options.afterSeconds)) {
        error = "--after-seconds needs a number of seconds from 0 to 3600, not \"" + text + "\"";
        return false;
      }
      options.afterSecondsGiven = true;
    } else if (arg == "--input") {
      if (!value(options.loopInput)) return false;
    } else if (arg == "--quiet") {
      options.quiet = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg + " (see --help)";
      return false;
    } else {
      positional.push_back(arg);
    }
  }
  if (!options.batchIn.empty() &&
      (!positional.empty() || options.list || !options.savePreset.empty())) {
    error = "--batch takes folders, and no INPUT OUTPUT, --list or --save (see --help)";
    return false;
  }
  if (options.IsEditorJob() && (!positional.empty() || !options.batchIn.empty() ||
                                !options.plot.empty() || !options.savePreset.empty())) {
    error =
        "--editor and --editor-snapshot take --input FILE, and no INPUT OUTPUT, --batch, "
        "--plot or --save (see --help)";
    return false;
  }
  if (options.editor && !options.editorSnapshot.empty()) {
    error = "give --editor or --editor-snapshot, not both";
    return false;
  }
  if (options.afterSecondsGiven && options.editorSnapshot.empty()) {
    error = "--after-seconds goes with --editor-snapshot (see --help)";
    return false;
  }
  if (!options.loopInput.empty() && !options.IsEditorJob()) {
    error = "--input goes with --editor or --editor-snapshot; a render takes INPUT OUTPUT";
    return false;
  }
  if (!options.plot.empty() && positional.size() != 2) {
    error = "--plot draws a render: give INPUT and OUTPUT too (see --help)";
    return false;
  }
  if (positional.size() == 2) {
    options.input = positional[0];
    options.output = positional[1];
  } else if (!positional.empty()) {
    error = "give both INPUT and OUTPUT (see --help)";
    return false;
  }
  return true;
}

}  // namespace ferrix::host
