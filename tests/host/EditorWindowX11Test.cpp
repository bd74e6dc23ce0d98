// ferrix-host --editor on X11: the window closes cleanly (effEditClose, audio off, plug-in
// closed, exit 0) when the window manager asks (WM_DELETE_WINDOW) and on Ctrl+C, also for an
// editor that answers its opening with 0 and under a window manager that never shows the window;
// without a display there is one error line; a third-party editor (DPF) snapshots like Ferrix's.
#include <gtest/gtest.h>
// After gtest: Xlib defines None as a macro.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <thread>

#include "raster/LoadPng.h"
#include "tests/host/EditorDisplay.h"
#include "tests/host/HostTestSupport.h"

namespace ferrix::host::testing {
namespace {

using namespace std::chrono_literals;

// ferrix-host running in the background, its stderr in a file.
class BackgroundHost {
 public:
  BackgroundHost(const std::vector<std::string>& args, const std::string& errFile) {
    std::vector<std::string> all = {HostExe()};
    all.insert(all.end(), args.begin(), args.end());
    pid_ = fork();
    if (pid_ == 0) {
      std::vector<char*> argv;
      for (std::string& a : all)
        argv.push_back(a.data());
      argv.push_back(nullptr);
      const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(err, STDERR_FILENO);
      execv(argv[0], argv.data());
      _exit(127);
    }
  }
  ~BackgroundHost() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  pid_t Pid() const { return pid_; }
  // The exit code, or -1 when it does not end within the timeout.
  int Wait(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(20ms);
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
};

// A top-level window on `display` whose name is `name`; 0 when none appears within 20 s.
Window FindTopLevel(Display* display, const std::string& name) {
  const auto end = std::chrono::steady_clock::now() + 20s;
  while (std::chrono::steady_clock::now() < end) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
      for (unsigned i = 0; i < count && !found; ++i) {
        char* title = nullptr;
        if (XFetchName(display, children[i], &title) && title) {
          if (name == title) found = children[i];
          XFree(title);
        }
      }
      XFree(children);
    }
    if (found) return found;
    std::this_thread::sleep_for(50ms);
  }
  return 0;
}

// True once `window` holds a window of the plug-in's (its editor opened), within 20 s.
bool WaitForChild(Display* display, Window window) {
  const auto end = std::chrono::steady_clock::now() + 20s;
  while (std::chrono::steady_clock::now() < end) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) && children) XFree(children);
    if (count > 0) return true;
    std::this_thread::sleep_for(20ms);
  }
  return false;
}

// True once the file holds `text`, within 20 s.
bool WaitForText(const std::string& file, const std::string& text) {
  const auto end = std::chrono::steady_clock::now() + 20s;
  while (std::chrono::steady_clock::now() < end) {
    if (ReadTextFile(file).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(20ms);
  }
  return false;
}

void AskToClose(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

class EditorWindowX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!display.Failure().empty()) GTEST_SKIP() << display.Failure();
  }
  EditorDisplay display;
  ScratchDir scratch;
};

TEST_F(EditorWindowX11, EditorEndsCleanlyWhenAskedToClose) {
  enum class Ask { kWindowManager, kCtrlC };
  for (Ask ask : {Ask::kWindowManager, Ask::kCtrlC}) {
    SCOPED_TRACE(ask == Ask::kCtrlC ? "Ctrl+C" : "WM_DELETE_WINDOW");
    const std::string errFile = scratch.File("editor.err");
    BackgroundHost host({"--editor"}, errFile);
    Display* x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
    const Window window = FindTopLevel(x, "ferrix-host: Tessomar");
    ASSERT_NE(window, 0u);
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(x, window, &attributes));
    EXPECT_EQ(attributes.width, 640);
    EXPECT_EQ(attributes.height, 480);
    ASSERT_TRUE(WaitForChild(x, window));  // the editor is open
    if (ask == Ask::kCtrlC) {
      kill(host.Pid(), SIGINT);
    } else {
      AskToClose(x, window);
    }
    EXPECT_EQ(host.Wait(20s), 0);
    EXPECT_EQ(ReadTextFile(errFile), "");
    XCloseDisplay(x);
  }
}

// A plug-in that answers effEditOpen with 0 (as many do) under a window manager that never maps
// the host's window: the editor still opens, and is closed before its window goes.
TEST_F(EditorWindowX11, EditorAnswering0OpensAndClosesUnderAWindowManagerThatNeverMaps) {
  Display* wm = XOpenDisplay(nullptr);
  ASSERT_NE(wm, nullptr);
  // Holding the root's redirection makes every map request ours; none is granted.
  XSelectInput(wm, DefaultRootWindow(wm), SubstructureRedirectMask);
  XSync(wm, False);
  enum class Ask { kWindowManager, kCtrlC };
  for (Ask ask : {Ask::kWindowManager, Ask::kCtrlC}) {
    SCOPED_TRACE(ask == Ask::kCtrlC ? "Ctrl+C" : "WM_DELETE_WINDOW");
    const std::string errFile = scratch.File(ask == Ask::kCtrlC ? "ctrl-c.err" : "close.err");
    BackgroundHost host({"--plugin", TEST_GAIN_EDITOR_MODULE, "--editor"}, errFile);
    ASSERT_TRUE(WaitForText(errFile, "open\n"));
    if (ask == Ask::kCtrlC) {
      kill(host.Pid(), SIGINT);
    } else {
      AskToClose(wm, FindTopLevel(wm, "ferrix-host: Test Gain Params"));
    }
    EXPECT_EQ(host.Wait(20s), 0);
    EXPECT_EQ(ReadTextFile(errFile), "open\nclose\n");
  }
  XCloseDisplay(wm);
}

TEST_F(EditorWindowX11, ThirdPartyEditorSnapshotsToAPicture) {
  const std::string plugin = "/usr/lib/vst/ZamCompX2-vst.so";
  if (!std::filesystem::exists(plugin)) GTEST_SKIP() << plugin << " is not installed";
  if (FERRIX_SANITIZED) GTEST_SKIP() << "third-party plug-ins are not built with sanitizers";
  const std::string shot = scratch.File("zam.png");
  const ProcessResult r = RunHost({"--plugin", plugin, "--editor-snapshot", shot});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::unique_ptr<RasterBitmap> picture(LoadPngFile(shot.c_str()));
  ASSERT_TRUE(picture);
  // Its knobs, labels and meters: many colours, not an empty window.
  std::set<Pixel> colours;
  for (int y = 0; y < picture->Height(); ++y) {
    for (int x = 0; x < picture->Width(); ++x)
      colours.insert(picture->Bits()[y * picture->RowSpan() + x]);
  }
  EXPECT_GT(colours.size(), 100u);
}

TEST(EditorWithoutDisplay, IsOneErrorLine) {
  const char* saved = std::getenv("DISPLAY");
  const std::string previous = saved ? saved : "";
  unsetenv("DISPLAY");
  ScratchDir scratch;
  for (const char* mode : {"--editor", "--editor-snapshot"}) {
    std::vector<std::string> args = {mode};
    if (std::string(mode) == "--editor-snapshot") args.push_back(scratch.File("shot.png"));
    const ProcessResult r = RunHost(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ferrix-host: no X display: DISPLAY is not set\n");
  }
  if (saved) setenv("DISPLAY", previous.c_str(), 1);
}

}  // namespace
}  // namespace ferrix::host::testing
