// IGraphicsX11: the editor as an X11 child window inside the window the host passes to
// effEditOpen. Each open window has its own Display connection, so two editors (or the host's
// own toolkit) never share one. It also holds the in-place text entry (a child window), modal
// pop-up menus (override-redirect windows with their own event loop) and web addresses
// (xdg-open); menus, entries and dialogs run on the driving thread, from inside input handling
// (a value prompt's menu opened in a host's idle call is driven by the later idle calls instead).
//
// Threads: X is called on one thread at a time, the one running a drive step. Hosts that send
// effEditIdle drive the window from their idle calls: each drains the window's events and, once a
// frame period (1000 / frame rate ms) has passed, collects the dirty controls, redraws them into
// the canvas and presents them. When no idle call arrives within the idle wait of opening, a
// thread of the editor's own takes over the same steps on the editor's Display connection; from
// then on idle calls return at once. Steps never overlap: an idle call arriving while another
// thread's step runs returns at once. Opening and closing may come from any host thread (one at a
// time): they stop the driving thread, wait for a running step to end (a menu in it is ended) and
// join the thread before the window and the connection go, so the host must not hold the plug-in
// lock while asking (the step may be waiting for it). Asked from inside a step (a host answering
// one of the editor's callbacks by closing or reopening), they complete when that step ends, on
// its thread. Editors driven by different threads draw one at a time (X11DrawingLock: the fonts
// are shared). The audio thread only marks controls dirty (IGraphics), so it never reaches X.
//
// Plug-ins get this window from CreatePlatformEditor on Linux; AttachEditor then advertises
// effFlagsHasEditor.
#pragma once

#include <atomic>
#include <bitset>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "graphics/IGraphicsHeadless.h"
#include "graphics_x11/X11CanvasPresenter.h"
#include "graphics_x11/X11MenuRun.h"
#include "graphics_x11/X11TextEntry.h"

struct _XDisplay;
union _XEvent;

class IGraphicsX11 : public IGraphicsHeadless {
 public:
  // The text entry's states, as the Windows window has them: Idle until the entry is focused
  // again after opening (or after a redraw tick, Redrawn), Editing while focused (redraw ticks
  // pause), then Commit (Return) or Cancel (Escape, focus lost, a press in the editor while
  // editing, the wheel, CancelTextEntry), applied or dropped on the next timer tick.
  enum EntryState : int32_t {
    EntryIdle = 0,
    EntryEditing = 1,
    EntryRedrawn = 2,
    EntryCancel = 3,
    EntryCommit = 4
  };

  using IGraphicsHeadless::IGraphicsHeadless;
  ~IGraphicsX11() override;

  bool CanOpenWindow() const override { return true; }

  // parent is the host's X11 window id. Null (with nothing left open) when there is no display,
  // the parent is not a window, or the window cannot be made. From inside a drive step the window
  // is made when the step ends, and the answer is parent.
  void* OpenEditorWindow(void* parent) override;
  void CloseEditorWindow() override;
  void* WindowHandle() override;
  // Copies the canvas's area to the window (through MIT-SHM where the server allows it); false
  // when no window is open. Does not wait for the server.
  bool PresentArea(const IBounds& area) override;
  void Idle() override;
  // Runs xdg-open with the address (no shell, not waited for), after a Yes/No menu when there is
  // a confirmText; false when refused, when the address starts with "-" or xdg-open cannot start.
  bool OpenWebAddress(const char* address, const char* title, const char* confirmText,
                      const char* failureText) override;
  // A child window inside the host's has no modal message box, file or colour dialog of its own:
  // messages answer 0 (as a message box that cannot be shown), the file chooser and the colour
  // picker answer "cancelled" and leave the file, folder and colour as they were.
  int ShowMessage(const char*, const char*, int) override { return 0; }
  // A modal pop-up below area's bottom left; answers the menu (top or submenu) whose entry was
  // chosen, with its chosen index set, or null when dismissed (or when the pointer cannot be
  // grabbed: the menu could not be dismissed then). In a host's idle call, a menu whose answer
  // can come later (a value prompt's) answers null at once and stays up, driven by the next idle
  // calls, which deliver its answer when it closes.
  IMenu* ShowMenu(IMenu* menu, const IBounds& area) override;
  // An entry window over area (one pixel larger, as on Windows) holding text, whole text
  // selected, limited to the control's TextEntryLimit; typed characters pass the parameter
  // kind's filter (graphics/EntryText.h). Nothing when an entry is open already.
  void ShowTextEntry(IControl* control, const ITextStyle& style, const IBounds& area,
                     const char* text, PlugParam* param) override;
  void CancelTextEntry() override;
  void ChooseFile(TextBuffer*, int, TextBuffer*, const char*) override {}
  bool PickColour(IArgb*, const char*) override { return false; }

  // The host's idle call: unless the editor's own thread already drives the window, handles
  // every pending event, then the redraw step when a frame period has passed since the last one
  // (or force). The first call within the idle wait of opening keeps the thread from starting.
  void IdleStep(bool force);
  // True once the editor's own thread drives the open window.
  bool ThreadDriven();
  // Whether windows opened from now on may present through MIT-SHM (the default), and whether
  // the open one does.
  void SetSharedMemoryAllowed(bool allowed) { sharedMemoryAllowed_ = allowed; }
  bool PresentsThroughSharedMemory() const { return presenter_ && presenter_->UsesSharedMemory(); }
  // Like IdleStep, but only the events: no redraw (timer) step.
  void DrainEvents();

  // The open entry's window (0 without one), its text and its state; on the driving thread.
  unsigned long EntryXWindow() const;
  std::string EntryText() const;
  int32_t EntryStateNow() const { return entryState_; }
  _XDisplay* Display() const { return display_; }
  unsigned long XWindow() const { return window_; }

  // Longest gap (ms) and largest distance (pixels) between two presses of a double-click.
  static constexpr unsigned long kDoubleClickMs = 400;
  static constexpr int kDoubleClickDistance = 4;
  // How long after opening the editor waits for the host's first idle call (kIdleWait unless
  // set before opening: tests choose zero for the thread at once, or hours for idle calls alone).
  static constexpr std::chrono::milliseconds kIdleWait{200};
  void SetIdleWait(std::chrono::milliseconds wait) { idleWait_ = wait; }

 private:
  void HandleEvent(_XEvent* event);
  void HandleButton(_XEvent* event, bool press);
  void HandleMotion(_XEvent* event);
  // Key presses and releases: a key no control takes goes on to the host's window.
  void HandleKey(_XEvent* event);
  void PassKeyToHost(_XEvent* event);
  // Events of the entry's window; false when the event is not the entry's.
  bool HandleEntryEvent(_XEvent* event);
  // Main-window input while an entry is open; true when the entry took the event.
  bool EntryTakesInput(_XEvent* event);
  // The timer's entry step: true when the tick ends there (no redraw).
  bool EntryTimerStep();
  void DestroyTextEntry();
  void RedrawStep();
  // Mapped, and every ancestor too.
  bool Viewable();
  // Menus (IGraphicsX11Menu.cpp). OpenMenu shows the first level and grabs; null when it cannot
  // be shown. MenuEvent feeds the menu one event; CloseMenu takes it down and answers its choice.
  std::unique_ptr<X11MenuRun> OpenMenu(IMenu* menu, const IBounds& area);
  void MenuEvent(X11MenuRun* run, _XEvent* event);
  IMenu* CloseMenu(X11MenuRun* run);
  // While a menu opened in a host's idle call is up, every event is its own; false without one.
  bool MenuTakesEvent(_XEvent* event);
  // Closes that menu and delivers its answer once it is over (or the window is gone).
  void EndHostMenuWhenOver();
  // One pass of the driving steps, between BeginStep and EndStep: the events, then (with timer)
  // the redraw step when a frame period has passed or force, then a request made from inside.
  void DriveStep(bool force, bool timer = true);
  // The connection, the child window in parent and its presenter; false (nothing left) on failure.
  bool CreateWindowAndConnection(unsigned long parent);
  void DestroyWindowAndConnection();

  // The editor's own driving thread and the steps' turns (IGraphicsX11Driver.cpp).
  enum class Driver { Closed, Waiting, Host, Thread };
  void StartDriverThread();
  // Ends driving: no step starts any more, a running one is woken from its waits and waited for,
  // the thread is joined. Never from inside a step.
  void StopDriving();
  void DriverThreadMain();
  // Takes the turn for one step: false while another step runs, after stopping, or when who is
  // not the window's driver (the host's first call makes the host the driver while it waits).
  bool BeginStep(Driver who);
  void EndStep();
  // Whether the calling thread is inside one of this editor's steps.
  bool SteppingHere() const;
  // Waits until the connection has an event or timeoutMs pass; false once driving is stopped.
  // Only a step's thread calls it (or the editor's thread between its steps).
  bool WaitForEvents(int timeoutMs);
  // Before anyone drives: draws and presents the window once its first Expose has come; false
  // while none has.
  bool PaintFirstExposure();
  // Until the connection has data to read, the thread is asked to stop, or deadline.
  void WaitForConnectionUntil(std::chrono::steady_clock::time_point deadline);
  std::chrono::duration<double, std::milli> FramePeriod() const;

  // Written only by the driving thread (and by open and close, with no thread running); atomic
  // because the host may look at the window while the editor's own thread drives it.
  std::atomic<_XDisplay*> display_{nullptr};
  std::atomic<unsigned long> window_{0};
  unsigned long hostWindow_ = 0;  // the parent the host passed
  std::chrono::steady_clock::time_point lastRedraw_{};
  bool pointerGrabbed_ = false;
  bool trackingLeave_ = false;
  unsigned long lastPressTime_ = 0;
  int lastPressX_ = -1000;
  int lastPressY_ = -1000;
  bool lastPressWasDouble_ = false;
  bool hostStep_ = false;                 // the running step is the host's idle call
  std::unique_ptr<X11MenuRun> hostMenu_;  // a menu driven by the host's idle calls
  // A close or reopen asked from inside a step, done as the step ends; only that step's thread
  // touches these.
  enum class Deferred { Nothing, Close, Reopen };
  Deferred deferred_ = Deferred::Nothing;
  unsigned long deferredParent_ = 0;
  std::bitset<256> keysTaken_;  // by key code: pressed and taken by a control, release held back

  std::mutex windowMutex_;  // one open or close at a time, whichever host threads ask
  std::mutex driverMutex_;
  std::condition_variable driverWake_;
  Driver driver_ = Driver::Closed;           // guarded by driverMutex_
  bool stopDriver_ = false;                  // guarded by driverMutex_
  bool stepping_ = false;                    // guarded by driverMutex_: a step runs on some thread
  const IGraphicsX11* outerStep_ = nullptr;  // the step this one runs inside, on its thread
  int wakePipe_[2] = {-1, -1};               // written to stop the thread's wait on the connection
  std::thread driverThread_;
  std::chrono::milliseconds idleWait_ = kIdleWait;

  std::unique_ptr<X11CanvasPresenter> presenter_;
  bool sharedMemoryAllowed_ = true;
  std::unique_ptr<X11TextEntry> entry_;
  IControl* entryControl_ = nullptr;
  PlugParam* entryParam_ = nullptr;
  std::atomic<int32_t> entryState_{EntryIdle};
  bool entryFocusSeen_ = false;  // the focus given at opening does not make it Editing
  unsigned long focusBeforeEntry_ = 0;
  int focusRevertBeforeEntry_ = 0;
};
