// Workers take the next file from a shared index; each loads the plug-in afresh for every file,
// so every output is exactly what a single render of that file gives (Ferrix's smoothers and
// threshold would otherwise carry over from one file to the next). Output and progress are
// serialised by one lock; the renders themselves share nothing.
#include "host/app/BatchJob.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <new>
#include <stdexcept>
#include <thread>

#include "host/app/ErrorLine.h"
#include "host/app/HostCommand.h"
#include "host/app/ProgressBar.h"
#include "host/app/RenderJob.h"
#include "host/app/Terminal.h"
#include "host/audio/AudioFile.h"
#include "host/signals/CrashGuard.h"

namespace ferrix::host {
namespace {

namespace fs = std::filesystem;

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::exists(a, ec) && fs::exists(b, ec) && fs::equivalent(a, b, ec);
}

// Shared by the workers: the file list, the next index, the progress and the report lock.
struct BatchState {
  const Options& options;
  const std::string& pluginPath;
  std::vector<std::string> files;
  std::vector<uintmax_t> sizes;
  uintmax_t totalBytes = 0;
  std::atomic<size_t> next{0};
  std::atomic<int> failures{0};
  std::mutex lock;  // guards everything below and stdout/stderr
  uintmax_t doneBytes = 0;
  std::vector<double> current;  // per worker: bytes of its file done so far
  ProgressBar bar;

  BatchState(const Options& o, const std::string& p)
      : options(o), pluginPath(p), bar(!o.quiet && StderrIsTerminal()) {}

  void Progress(size_t worker, double bytes) {
    std::lock_guard guard(lock);
    current[worker] = bytes;
    double sum = static_cast<double>(doneBytes);
    for (double b : current)
      sum += b;
    bar.Update(totalBytes == 0 ? 1.0 : std::min(1.0, sum / static_cast<double>(totalBytes)));
  }
};

// One file; false with a reason.
bool RenderOne(BatchState& state, size_t worker, size_t index, RenderSummary& summary,
               std::string& warning, std::string& error) {
  const Options& options = state.options;
  const fs::path relative(state.files[index]);
  const std::string input = (fs::path(options.batchIn) / relative).string();
  const std::string output = (fs::path(options.batchOut) / relative).string();
  AudioFileReader reader;
  if (!reader.Open(input, error)) return false;
  std::error_code ec;
  fs::create_directories(fs::path(output).parent_path(), ec);
  if (!AudioFileWriter::CheckTarget(output, reader.SampleRate(), reader.ChannelCount(),
                                    reader.Format(), error)) {
    return false;
  }
  Host host;
  LoadResult loaded = Plugin::Load(state.pluginPath, host);
  if (!loaded.plugin) {
    error = loaded.message;
    return false;
  }
  Plugin& plugin = *loaded.plugin;
  host.SetSampleRate(reader.SampleRate());
  host.SetBlockSize(options.block);
  plugin.Open();
  plugin.SetSampleRate(reader.SampleRate());
  plugin.SetBlockSize(options.block);
  if (!ApplyControls(plugin, options, error)) return false;
  const RenderSettings settings{options.block, options.precision == 64};
  const double bytes = static_cast<double>(state.sizes[index]);
  if (!RenderFileJob(plugin, host, reader, output, settings, summary, warning, error,
                     [&](double done) { state.Progress(worker, done * bytes); })) {
    return false;
  }
  summary.input = input;
  return true;
}

void Work(BatchState& state, size_t worker) {
  for (size_t index = state.next++; index < state.files.size(); index = state.next++) {
    RenderSummary summary;
    std::string warning, error;
    bool ok = false;
    try {  // a worker's exception is its file's failure, never the end of the batch
      ok = RenderOne(state, worker, index, summary, warning, error);
    } catch (const std::bad_alloc&) {
      error = state.files[index] + ": out of memory";
    } catch (const std::exception& e) {
      error = state.files[index] + ": unexpected failure: " + e.what();
    }
    std::lock_guard guard(state.lock);
    state.current[worker] = 0.0;
    state.doneBytes += state.sizes[index];
    if (!ok) {
      ++state.failures;
      ReportError(error.empty() ? state.files[index] + ": failed" : error);
    } else {
      if (!warning.empty()) ReportWarning(warning);
      if (!state.options.quiet)
        std::fputs(SummaryLine(state.files[index], summary).c_str(), stdout);
    }
    std::fflush(stdout);
  }
}

}  // namespace

std::vector<std::string> FindBatchFiles(const std::string& inDir, const std::string& outDir) {
  std::vector<std::string> files;
  std::error_code ec;
  fs::recursive_directory_iterator it(inDir, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec)) {
      if (SameFolder(it->path(), outDir)) it.disable_recursion_pending();
      continue;
    }
    if (!it->is_regular_file(ec) || !IsAudioFileName(it->path().string())) continue;
    files.push_back(fs::relative(it->path(), inDir, ec).string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

int RunBatch(const Options& options, const std::string& pluginPath) {
  std::error_code ec;
  if (!fs::is_directory(options.batchIn, ec)) {
    return ReportError(options.batchIn + ": not a folder");
  }
  if (SameFolder(options.batchIn, options.batchOut)) {
    return ReportError(options.batchOut + ": the output folder is the input folder");
  }
  fs::create_directories(options.batchOut, ec);
  if (!fs::is_directory(options.batchOut, ec)) {
    return ReportError(options.batchOut + ": cannot create the output folder");
  }
  GuardAgainstPluginCrash(pluginPath.c_str());

  BatchState state(options, pluginPath);
  state.files = FindBatchFiles(options.batchIn, options.batchOut);
  if (state.files.empty()) return ReportError(options.batchIn + ": no audio files");
  for (const std::string& f : state.files) {
    const uintmax_t size = fs::file_size(fs::path(options.batchIn) / f, ec);
    state.sizes.push_back(ec ? 0 : size);
    state.totalBytes += state.sizes.back();
  }
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t jobs = std::min<size_t>(options.jobs > 0 ? options.jobs : cores, state.files.size());
  state.current.assign(jobs, 0.0);
  std::vector<std::thread> workers;
  for (size_t w = 1; w < jobs; ++w)
    workers.emplace_back(Work, std::ref(state), w);
  Work(state, 0);
  for (std::thread& t : workers)
    t.join();
  state.bar.Finish();
  return state.failures > 0 ? 1 : 0;
}

}  // namespace ferrix::host
