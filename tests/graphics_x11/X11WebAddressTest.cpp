// Web addresses from the X11 editor: xdg-open started without a shell and reaped, addresses
// that would read as options refused, and the dialogs an X11 child window answers as cancelled.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "graphics_x11/SpawnedProgram.h"
#include "tests/graphics_x11/X11EditorFixture.h"

namespace {

// A PATH whose xdg-open appends its arguments, one line per call, to a log beside it.
class FakeXdgOpen {
 public:
  FakeXdgOpen() {
    char pattern[] = "/tmp/ferrix-xdg-XXXXXX";
    folder_ = mkdtemp(pattern);
    log_ = folder_ + "/log";
    const std::string script = folder_ + "/xdg-open";
    std::ofstream(script) << "#!/bin/sh\necho \"$#:$1\" >> '" << log_ << "'\n";
    chmod(script.c_str(), 0755);
    oldPath_ = std::getenv("PATH");
    setenv("PATH", (folder_ + ":" + oldPath_).c_str(), 1);
  }
  ~FakeXdgOpen() {
    setenv("PATH", oldPath_.c_str(), 1);
    std::remove(log_.c_str());
    std::remove((folder_ + "/xdg-open").c_str());
    rmdir(folder_.c_str());
  }
  // The calls ("argument count:first argument"), sorted, once every started program has
  // finished (and been reaped).
  std::vector<std::string> Calls() const {
    for (int i = 0; i < 400 && ReapSpawnedPrograms() > 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::vector<std::string> calls;
    std::ifstream log(log_);
    for (std::string line; std::getline(log, line);)
      calls.push_back(line);
    std::sort(calls.begin(), calls.end());
    return calls;
  }

 private:
  std::string folder_, log_, oldPath_;
};

TEST_F(X11Editor, WebAddressesGoToXdgOpenAsOneArgumentAndOptionsAreRefused) {
  Open();
  FakeXdgOpen xdg;
  struct Case {
    const char* address;
    bool opened;
  };
  const Case cases[] = {
      {"https://example.org/a b?c=$HOME;d", true},  // no shell: spaces and $ stay as they are
      {"-a", false},
      {"--help", false},
      {"", false},
      {nullptr, false},
      {"http://second.example", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(editor->OpenWebAddress(c.address, "title", nullptr, "failed"), c.opened)
        << (c.address ? c.address : "null");
  EXPECT_EQ(xdg.Calls(), (std::vector<std::string>{"1:http://second.example",
                                                   "1:https://example.org/a b?c=$HOME;d"}));
  EXPECT_EQ(ReapSpawnedPrograms(), 0);  // no child left behind, running or as a zombie

  setenv("PATH", "/nonexistent", 1);
  EXPECT_FALSE(editor->OpenWebAddress("http://example.org", "title", nullptr, nullptr));

  // What an X11 child window cannot show answers as cancelled and changes nothing.
  TextBuffer file("a.fxp"), folder("/tmp/");
  editor->ChooseFile(&file, 1, &folder, "fxp");
  EXPECT_STREQ(file.Get(), "a.fxp");
  EXPECT_STREQ(folder.Get(), "/tmp/");
  IArgb colour{255, 1, 2, 3};
  EXPECT_FALSE(editor->PickColour(&colour, "prompt"));
  EXPECT_EQ(colour.blue, 3);
  EXPECT_EQ(editor->ShowMessage("text", "caption", 0), 0);
}

TEST_F(X11Editor, AConfirmationIsAYesNoMenuAndOnlyYesOpens) {
  Open();
  FakeXdgOpen xdg;
  const struct {
    std::initializer_list<KeySym> keys;
    bool opened;
  } cases[] = {
      {{XK_Down, XK_Return}, true},  // the question line is not an answer: Down lands on "Yes"
      {{XK_Down, XK_Down, XK_Return}, false},
      {{XK_Escape}, false},
  };
  int opened = 0;
  for (const auto& c : cases) {
    bool answer = !c.opened;
    WhileModal(
        [&] { answer = editor->OpenWebAddress("http://confirmed.example", "t", "Open?", nullptr); },
        [&](Display* own, const XWindowAttributes&) {
          for (KeySym key : c.keys)
            TypeKey(own, key);
        });
    EXPECT_EQ(answer, c.opened) << opened;
    opened += c.opened;
  }
  EXPECT_EQ(xdg.Calls(), std::vector<std::string>(opened, "1:http://confirmed.example"));
}

}  // namespace
