// What the editor tests share: an effect that counts what the editor sends it, a headless editor
// that records prompts, and a control that records the events it receives. The test images are
// module resources 201-206 (data/make-images.py describes them).
#pragma once

#include <string>
#include <vector>

#include "graphics/IGraphicsHeadless.h"
#include "platform/ModuleInstance.h"
#include "raster/SysBitmap.h"
#include "tests/plugin_core/TestEffect.h"

constexpr int kBackgroundId = 201;  // 64 x 48 opaque blue
constexpr int kKnobId = 202;   // 4 frames of 10 x 10: red, green, white, yellow, right half clear
constexpr int kStripId = 203;  // 100 frames of 2 x 35; each row's red + 256 green = its number

constexpr Pixel kBlue = 0xFF0000FF;
constexpr Pixel kRed = 0xFFFF0000;
constexpr Pixel kGreen = 0xFF00FF00;
constexpr Pixel kWhite = 0xFFFFFFFF;
constexpr Pixel kScribble = 0xFFFF00FF;

// The test executable as the module whose resources the editor loads.
ModuleHandle TestModule();

class EditorTestEffect : public TestEffect {
 public:
  void SetParamFromEditor(int index, double normalized) override {
    ++editorPushes;
    TestEffect::SetParamFromEditor(index, normalized);
  }
  void BeginParamGesture(int index) override {
    gestures.push_back("begin " + std::to_string(index));
  }
  void EndParamGesture(int index) override { gestures.push_back("end " + std::to_string(index)); }
  int32_t IdentifyHost() override { return host; }

  int editorPushes = 0;
  int32_t host = 0;
  std::vector<std::string> gestures;
};

class TestEditor : public IGraphicsHeadless {
 public:
  explicit TestEditor(EffectBase* effect, int width = 64, int height = 48)
      : IGraphicsHeadless(effect, width, height) {
    SetModuleInstance(TestModule());
  }

  // As the windows' menus do, the menu takes the press (and its release) from the control.
  IMenu* ShowMenu(IMenu* menu, const IBounds& area) override {
    DropCapture();
    menuArea = area;
    menuTexts.clear();
    for (int i = 0; i < menu->NEntries(); ++i) {
      const IMenuEntry* entry = menu->GetEntry(i);
      menuTexts.push_back(std::string(entry->text.Get()) +
                          (entry->flags & IMenuEntry::MenuChecked ? "*" : ""));
    }
    if (menuChoice < 0) return nullptr;
    menu->SetChosenIndex(menuChoice);
    return menu;
  }
  void ShowTextEntry(IControl*, const ITextStyle&, const IBounds& area, const char* text,
                     PlugParam*) override {
    entryArea = area;
    entryText = text;
  }
  bool OpenWebAddress(const char* address, const char*, const char*, const char*) override {
    opened.push_back(address);
    return false;
  }

  Pixel At(int x, int y) const { return Canvas()->Bits()[y * Canvas()->RowSpan() + x]; }
  void Fill(Pixel pixel) {
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x)
        Canvas()->Bits()[y * Canvas()->RowSpan() + x] = pixel;
  }

  int menuChoice = -1;
  IBounds menuArea, entryArea;
  std::vector<std::string> menuTexts;
  std::string entryText;
  std::vector<std::string> opened;
};

// Records every event as one short line.
class RecordingControl : public IControl {
 public:
  RecordingControl(EffectBase* effect, const IBounds& area, int paramIndex,
                   std::vector<std::string>* log, const char* name)
      : IControl(effect, area, paramIndex, {}), log_(log), name_(name) {}

  void MouseDown(int x, int y, const IMouseKeys&) override { Note("down", x, y); }
  void MouseUp(int x, int y, const IMouseKeys&) override { Note("up", x, y); }
  void MouseDrag(int x, int y, int dx, int dy, const IMouseKeys&) override {
    Note("drag", dx, dy);
    (void)x, (void)y;
  }
  void MouseDoubleClick(int x, int y, const IMouseKeys&) override { Note("double", x, y); }
  void MouseWheel(int x, int y, const IMouseKeys&, int steps) override {
    Note("wheel", steps, 0);
    (void)x, (void)y;
  }
  bool KeyDown(int, int, int key) override {
    Note("key", key, 0);
    return true;
  }
  void MouseOver(int x, int y, const IMouseKeys&) override { Note("over", x, y); }
  void MouseOut() override { log_->push_back(name_ + " out"); }
  bool Draw(IGraphics*) override {
    log_->push_back(name_ + " draw");
    return true;
  }

 private:
  void Note(const char* what, int a, int b) {
    log_->push_back(name_ + " " + what + " " + std::to_string(a) + "," + std::to_string(b));
  }
  std::vector<std::string>* log_;
  std::string name_;
};
