// The X11 editor behind the VST 2.4 binding, driven as hostile hosts drive it: editor requests
// and effClose arriving while the user drags a knob on the editor's own thread (the plug-in lock
// must not be held while that thread is waited for, and the effect must not outlive its window),
// reopening from inside the editor's own callbacks, and idle and open/close on different threads.
#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <utility>

#include "tests/graphics_x11/Watchdog.h"
#include "tests/graphics_x11/X11EditorFixture.h"
#include "vst/VstEffect.h"

namespace {

using Clock = std::chrono::steady_clock;

// What the host callback saw, shared by the test's host threads and the editor's thread.
struct HostLog {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<int32_t> calls;  // the automation requests for parameter 1
  int audioBlocks = 0;
  int reactions = 0;
  bool effectDestroyed = false;
  int callsAfterDestruction = 0;
  // The host's answer to one request, made from inside the callback (then cleared).
  int32_t reactTo = -1;
  std::function<void()> reaction;

  void Reset() {
    std::lock_guard<std::mutex> lock(mutex);
    calls.clear();
    audioBlocks = reactions = callsAfterDestruction = 0;
    effectDestroyed = false;
    reactTo = -1;
  }
  // Waits (under the lock) until done answers true; false when it never does.
  bool Await(const std::function<bool()>& done) {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, kHungAfter, done);
  }
  int CountLocked(int32_t opcode) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), opcode));
  }
  int Count(int32_t opcode) {
    std::lock_guard<std::mutex> lock(mutex);
    return CountLocked(opcode);
  }
  int Reactions() {
    std::lock_guard<std::mutex> lock(mutex);
    return reactions;
  }
  int AudioBlocks() {
    std::lock_guard<std::mutex> lock(mutex);
    return audioBlocks;
  }
} gHost;

VstIntPtr HostCallback(AEffect*, int32_t opcode, int32_t index, VstIntPtr, void*, float) {
  std::function<void()> reaction;
  {
    std::lock_guard<std::mutex> lock(gHost.mutex);
    if (gHost.effectDestroyed) ++gHost.callsAfterDestruction;
    const bool automation = opcode == audioMasterAutomate || opcode == audioMasterBeginEdit ||
                            opcode == audioMasterEndEdit;
    if (automation && index == 1) gHost.calls.push_back(opcode);
    if (opcode == gHost.reactTo) {
      gHost.reactTo = -1;
      reaction = std::move(gHost.reaction);
    }
  }
  gHost.changed.notify_all();
  if (!reaction) return 0;
  reaction();
  {
    std::lock_guard<std::mutex> lock(gHost.mutex);
    ++gHost.reactions;
  }
  gHost.changed.notify_all();
  return 0;
}

// Runs a hook (once) as a host's open or close request reaches the window.
class RequestEditor : public X11TestEditor {
 public:
  using X11TestEditor::X11TestEditor;
  void* OpenEditorWindow(void* parent) override {
    RunHook();
    return X11TestEditor::OpenEditorWindow(parent);
  }
  void CloseEditorWindow() override {
    RunHook();
    X11TestEditor::CloseEditorWindow();
  }
  std::function<void()> hook;

 private:
  void RunHook() {
    if (auto run = std::exchange(hook, nullptr)) run();
  }
};

// A plug-in as the host sees it: the test parameters, the frame knob on parameter 1 in an X11
// editor. Its destructor notes whether its window was still open.
class HostedEffect : public VstEffect {
 public:
  HostedEffect()
      : VstEffect(&HostCallback, 9, "1-1 2-2", "Tessomar", "Morvane", "", 0x00010003, 0x35313476,
                  0x56647178, 0, false, false) {
    DefineTestParams(*this);
    editor = new RequestEditor(this);
    editor->AddBackground(kBackgroundId, "background.png");
    editor->AddControl(new FrameKnob(this, editor->LoadImage(kKnobId, "knob.png", 4)));
    AttachEditor(editor);
  }
  ~HostedEffect() override {
    openAtDestruction = editor->Display() != nullptr;
    std::lock_guard<std::mutex> lock(gHost.mutex);
    gHost.effectDestroyed = true;
  }
  VstIntPtr Call(int32_t opcode, void* ptr = nullptr) {
    return Record()->dispatcher(Record(), opcode, 0, 0, ptr, 0.0f);
  }
  RequestEditor* editor;
  static inline bool openAtDestruction = false;
};

class X11HostThreads : public X11Editor {
 protected:
  void SetUp() override {
    X11Editor::SetUp();
    gHost.Reset();
  }

  // The user drags the knob 20 pixels up (from 0.55 to its top, yellow) and lets go.
  void DragKnob() {
    XTestFakeMotionEvent(display, -1, 25, 25, CurrentTime);
    XTestFakeButtonEvent(display, Button1, True, CurrentTime);
    XTestFakeMotionEvent(display, -1, 25, 5, CurrentTime);
    XTestFakeButtonEvent(display, Button1, False, CurrentTime);
    XSync(display, False);
  }
  int Children(Window window) {
    Window root, parentOf, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, window, &root, &parentOf, &children, &count);
    if (children) XFree(children);
    return static_cast<int>(count);
  }
  // Waits until the parent holds exactly one child showing the background at (2, 2) and the
  // knob's colour at (22, 25); idle runs the host's idle calls meanwhile, when it drives.
  bool AwaitEditorIn(Window within, Pixel knob, const std::function<void()>& idle) {
    for (const auto end = Clock::now() + kHungAfter; Clock::now() < end;) {
      if (idle) idle();
      Window root, parentOf, *children = nullptr;
      unsigned int count = 0;
      XQueryTree(display, within, &root, &parentOf, &children, &count);
      bool shown = false;
      if (count == 1) {
        X11ErrorTrap trap(display);  // the window may go while we look
        XImage* image = XGetImage(display, children[0], 0, 0, 30, 30, AllPlanes, ZPixmap);
        if (image) {
          shown = WindowPixel(image, 2, 2) == kBlue && WindowPixel(image, 22, 25) == knob;
          XDestroyImage(image);
        }
      }
      if (children) XFree(children);
      if (shown) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  static bool AwaitThread(IGraphicsX11* x11) {
    for (const auto end = Clock::now() + kHungAfter; Clock::now() < end;) {
      if (x11->ThreadDriven()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  // Beside the fixture's parent, so that the user's drag still lands in that one.
  Window NewParent() {
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 120, 0, 100, 80, 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
  }
};

// Processes blocks until stopped, as a host's audio thread does.
class AudioThread {
 public:
  explicit AudioThread(AEffect* record)
      : thread_([this, record] {
          std::vector<float> left(64), right(64);
          float* channels[2] = {left.data(), right.data()};
          while (!stop_) {
            record->processReplacing(record, channels, channels, 64);
            std::lock_guard<std::mutex> lock(gHost.mutex);
            ++gHost.audioBlocks;
            gHost.changed.notify_all();
          }
        }) {}
  ~AudioThread() {
    stop_ = true;
    thread_.join();
  }

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

TEST_F(X11HostThreads, RequestsWhileTheUserDragsNeitherWaitUnderTheLockNorOutliveTheEffect) {
  struct Case {
    const char* name;
    int32_t opcode;
    bool fromOtherThread;
  };
  for (const Case& c : {Case{"effEditClose", effEditClose, false},
                        Case{"effEditOpen on the open editor", effEditOpen, true},
                        Case{"effClose with the editor open", effClose, true}}) {
    SCOPED_TRACE(c.name);
    gHost.Reset();
    auto* hosted = new HostedEffect;
    hosted->editor->SetIdleWait(std::chrono::milliseconds(0));  // a host that never idles
    ASSERT_EQ(hosted->Call(effEditOpen, AsParent(parent)), 1);
    ASSERT_TRUE(AwaitThread(hosted->editor));
    {
      std::unique_ptr<AudioThread> audio;
      if (c.opcode != effClose) audio = std::make_unique<AudioThread>(hosted->Record());
      // As the request reaches the window, the user's drag reaches the host, and the audio
      // thread goes on processing.
      bool dragged = false, audioGoesOn = false;
      hosted->editor->hook = [&] {
        DragKnob();
        dragged = gHost.Await([] { return gHost.CountLocked(audioMasterEndEdit) == 1; });
        const int blocks = gHost.AudioBlocks();
        audioGoesOn = !audio || gHost.Await([&] { return gHost.audioBlocks > blocks + 1; });
      };
      auto request = [&] {
        UnderWatchdog(c.name, [&] {
          hosted->Call(c.opcode, c.opcode == effEditOpen ? AsParent(parent) : nullptr);
        });
      };
      if (c.fromOtherThread)
        std::thread(request).join();
      else
        request();
      EXPECT_TRUE(dragged);
      EXPECT_TRUE(audioGoesOn);
    }
    EXPECT_EQ(gHost.Count(audioMasterBeginEdit), 1);
    EXPECT_GE(gHost.Count(audioMasterAutomate), 1);
    if (c.opcode == effClose) {
      EXPECT_FALSE(HostedEffect::openAtDestruction);
      EXPECT_EQ(gHost.callsAfterDestruction, 0);
      continue;
    }
    if (c.opcode == effEditOpen) {
      EXPECT_TRUE(AwaitEditorIn(parent, kYellow, nullptr));
      EXPECT_TRUE(hosted->editor->ThreadDriven());
    }
    UnderWatchdog("effEditClose", [&] { hosted->Call(effEditClose); });
    EXPECT_EQ(Children(parent), 0);
    hosted->Call(effClose);
  }
}

TEST_F(X11HostThreads, ReopeningOrClosingFromInsideTheEditorsCallbacks) {
  struct Case {
    const char* name;
    bool threadDriven;
    int32_t answered;  // the callback the host answers by closing (and reopening)
    bool reopen;
  };
  for (const Case& c : {Case{"thread, reopen on automate", true, audioMasterAutomate, true},
                        Case{"idle calls, reopen on end edit", false, audioMasterEndEdit, true},
                        Case{"thread, close on end edit", true, audioMasterEndEdit, false},
                        Case{"idle calls, close on automate", false, audioMasterAutomate, false}}) {
    SCOPED_TRACE(c.name);
    gHost.Reset();
    auto* hosted = new HostedEffect;
    hosted->editor->SetIdleWait(c.threadDriven ? std::chrono::milliseconds(0) : kNoThread);
    ASSERT_EQ(hosted->Call(effEditOpen, AsParent(parent)), 1);
    std::function<void()> idle;
    if (c.threadDriven)
      ASSERT_TRUE(AwaitThread(hosted->editor));
    else
      idle = [hosted] { hosted->Call(effEditIdle); };
    const Window other = NewParent();
    VstIntPtr reopened = -1;
    {
      std::lock_guard<std::mutex> lock(gHost.mutex);
      gHost.reactTo = c.answered;
      gHost.reaction = [&] {
        hosted->Call(effEditClose);
        if (c.reopen) reopened = hosted->Call(effEditOpen, AsParent(other));
      };
    }
    DragKnob();
    const auto answered = [] { return gHost.Reactions() == 1; };
    for (const auto end = Clock::now() + kHungAfter; !answered() && Clock::now() < end;)
      if (idle) idle();
    ASSERT_TRUE(answered());
    // The old window and its connection are gone; the new one shows the knob where the drag
    // left it, redrawn by the driver that drove the old one.
    if (c.reopen) {
      EXPECT_EQ(reopened, 1);
      EXPECT_TRUE(AwaitEditorIn(other, kYellow, idle));
      EXPECT_EQ(hosted->editor->ThreadDriven(), c.threadDriven);
    } else {
      for (const auto end = Clock::now() + kHungAfter;
           hosted->editor->Display() && Clock::now() < end;)
        if (idle) idle();
      EXPECT_EQ(hosted->editor->Display(), nullptr);
    }
    EXPECT_EQ(Children(parent), 0);
    UnderWatchdog("effClose", [&] { hosted->Call(effClose); });
    EXPECT_EQ(Children(other), 0);
    // A press whose window closed before its release still ends its gesture.
    EXPECT_EQ(gHost.Count(audioMasterBeginEdit), 1);
    EXPECT_EQ(gHost.Count(audioMasterEndEdit), 1);
    XDestroyWindow(display, other);
  }
}

TEST_F(X11HostThreads, IdleOnOneThreadWhileAnotherClosesAndReopens) {
  auto* hosted = new HostedEffect;
  hosted->editor->SetIdleWait(kNoThread);
  ASSERT_EQ(hosted->Call(effEditOpen, AsParent(parent)), 1);
  std::atomic<bool> stop{false};
  std::thread timer([&] {  // a host whose idle timer is not on its GUI thread
    while (!stop)
      hosted->Call(effEditIdle);
  });
  const Window parents[2] = {parent, NewParent()};
  for (int round = 1; round <= 6; ++round) {
    SCOPED_TRACE(round);
    // The user drags while the host closes: the drag may land in either window.
    DragKnob();
    UnderWatchdog("effEditClose", [&] { hosted->Call(effEditClose); });
    EXPECT_EQ(Children(parents[(round - 1) % 2]), 0);
    hosted->editor->GetControl(1)->SetValueFromPlugin(1.0);  // as a host's automation would
    ASSERT_EQ(hosted->Call(effEditOpen, AsParent(parents[round % 2])), 1);
    EXPECT_TRUE(AwaitEditorIn(parents[round % 2], kYellow, nullptr));
    EXPECT_FALSE(hosted->editor->ThreadDriven());
  }
  stop = true;
  timer.join();
  UnderWatchdog("effClose", [&] { hosted->Call(effClose); });
  EXPECT_EQ(Children(parents[0]) + Children(parents[1]), 0);
  XDestroyWindow(display, parents[1]);
}

}  // namespace
