// Ferrix's editor driven through its input entry points, as a user and a careless host drive it:
// edit gestures pair whatever the buttons do, automation lies inside them, a press makes the
// shown value the parameter's, and nothing that is not a number reaches a control or the host.
#include <cmath>
#include <memory>
#include <random>

#include "effect/FerrixParam.h"
#include "tests/effect/FerrixEditorSupport.h"

namespace {

// What the host heard, and every request a host in touch mode would find wrong: an end without
// its begin, a second begin, automation outside a gesture or not a normalised number.
struct HostLog {
  std::vector<std::string> calls;
  std::vector<float> automated;
  int open[kNumFerrixParams] = {};
  int begins = 0, faults = 0;
};
HostLog host;

VstIntPtr Host(AEffect*, int32_t opcode, int32_t index, VstIntPtr, void*, float opt) {
  if (opcode != audioMasterBeginEdit && opcode != audioMasterEndEdit &&
      opcode != audioMasterAutomate)
    return 0;
  if (index < 0 || index >= kNumFerrixParams) return ++host.faults, 0;
  int& open = host.open[index];
  if (opcode == audioMasterBeginEdit) {
    host.calls.push_back("begin " + std::to_string(index));
    host.faults += open++ != 0;
    ++host.begins;
  } else if (opcode == audioMasterEndEdit) {
    host.calls.push_back("end " + std::to_string(index));
    host.faults += open-- != 1;
  } else {
    host.calls.push_back("automate " + std::to_string(index));
    host.automated.push_back(opt);
    host.faults += open != 1 || !(opt >= 0.0f && opt <= 1.0f);
  }
  return 0;
}

constexpr IMouseKeys kLeft{true, false, false, false, false};
using Calls = std::vector<std::string>;

class FerrixEditorInput : public FerrixEditorTest {
 protected:
  void SetUp() override {
    FerrixEditorTest::SetUp();  // the images, before the editor is built
    host = {};
    owned = std::make_unique<Ferrix>(Host);
    Open(effect());
    editor = effect().Graphics();
    initialKnob = editor->GetControl(15);
  }
  Ferrix& effect() { return *owned; }
  VstIntPtr TextToParam(int index, const char* text) {
    AEffect* record = effect().Record();
    return record->dispatcher(record, effString2Parameter, index, 0, const_cast<char*>(text), 0);
  }
  void SetParam(int index, float value) {
    effect().Record()->setParameter(effect().Record(), index, value);
  }
  void Click(int x, int y) {
    editor->MouseDown(x, y, kLeft);
    editor->MouseUp(x, y, {});
  }

  std::unique_ptr<Ferrix> owned;
  IGraphics* editor = nullptr;
  IControl* initialKnob = nullptr;
};

TEST_F(FerrixEditorInput, NoNumberFromTheHostReachesAKnobAndAPressPushesTheShownValue) {
  // A NaN set by the host is 0 for the parameter and for its knob, which then draws and pushes 0.
  SetParam(kThresholdInitial, std::nanf(""));
  EXPECT_EQ(initialKnob->Value(), 0.0);
  const double initialDb = effect().GetParam(kThresholdInitial)->Value();
  EXPECT_EQ(initialDb, -44.0);
  // Texts that read as no finite number are not understood and change nothing.
  for (const char* text : {"nan", "-nan", "inf", "-infinity"}) {
    EXPECT_EQ(TextToParam(kThresholdInitial, text), 0) << text;
    EXPECT_EQ(effect().GetParam(kThresholdInitial)->Value(), initialDb) << text;
    EXPECT_EQ(initialKnob->Value(), 0.0) << text;
  }
  Tick(editor);
  Click(259, 170);  // the knob's image: a drag of no distance
  EXPECT_EQ(host.calls, (Calls{"begin 2", "automate 2", "end 2"}));
  EXPECT_EQ(host.automated, (std::vector<float>{0.0f}));

  // Link moves the End knob on screen to the initial threshold; a press makes that its value.
  Click(327, 207);
  ASSERT_EQ(effect().GetParam(kLink)->Value(), 1.0);
  EXPECT_EQ(effect().GetParam(kThresholdEnd)->Value(), 0.0);
  host = {};
  Click(397, 170);
  EXPECT_NEAR(effect().GetParam(kThresholdEnd)->Value(), initialDb, 1e-9);
  EXPECT_EQ(host.calls, (Calls{"begin 3", "automate 3", "end 3"}));

  // A double-click's reset to the default is automation inside a gesture of its own.
  host = {};
  Click(259, 170);
  editor->MouseDoubleClick(259, 170, kLeft);
  editor->MouseUp(259, 170, {});
  EXPECT_EQ(host.calls,
            (Calls{"begin 2", "automate 2", "end 2", "begin 2", "automate 2", "end 2"}));
  EXPECT_EQ(host.automated.back(), static_cast<float>(initialKnob->DefaultValue()));
  EXPECT_EQ(host.faults, 0);
}

// A seeded stream of presses, double-clicks, chords, drags, wheel steps and releases anywhere,
// mixed with a host setting parameters to values that are no numbers, redraws and blocks: after
// every action the host has seen no fault, and once the buttons are up no gesture is open.
TEST_F(FerrixEditorInput, SeededRandomInputPairsEveryGesture) {
  std::mt19937 random(22);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto point = [&](int* x, int* y) {
    if (below(4) == 0) {  // anywhere, the window's outside included
      *x = below(700) - 30, *y = below(540) - 30;
      return;
    }
    const IBounds area = editor->GetControl(12 + below(9))->Area();
    *x = area.left + below(area.right - area.left);
    *y = area.top + below(area.bottom - area.top);
  };
  const float oddValues[] = {std::nanf(""), INFINITY, -INFINITY, 1.5f, -0.5f, 0.25f};
  const char* oddTexts[] = {"nan", "inf", "-3", "on", "1e999"};
  bool left = false, right = false;
  for (int n = 0; n < 8000; ++n) {
    int x, y;
    point(&x, &y);
    const bool shift = below(4) == 0;
    const IMouseKeys held{left, right, shift, false, false};
    switch (below(10)) {
      case 0:
      case 1:
        if (!left) {
          left = true;
          const IMouseKeys keys{true, right, shift, false, false};
          below(3) == 0 ? (void)editor->MouseDoubleClick(x, y, keys)
                        : editor->MouseDown(x, y, keys);
        }
        break;
      case 2:
        if (!right) {
          right = true;
          editor->MouseDown(x, y, {left, true, shift, false, false});
        }
        break;
      case 3:
        if (left) editor->MouseUp(x, y, {false, right, shift, false, false});
        left = false;
        break;
      case 4:
        if (right) editor->MouseUp(x, y, {left, false, shift, false, false});
        right = false;
        break;
      case 5:
        editor->MouseDown(x, y, {left, right, shift, false, false});  // the middle button
        break;
      case 6:
      case 7:
        editor->MouseDrag(x, y, held);
        break;
      case 8:
        editor->MouseWheel(x, y, held, below(5) - 2);
        break;
      default:
        SetParam(below(kNumFerrixParams), oddValues[below(6)]);
        TextToParam(below(kNumFerrixParams), oddTexts[below(5)]);
        Process(effect(), 64, [n](int i) { return std::sin((n * 64 + i) * 0.01) * (n % 3); });
        Tick(editor);
        break;
    }
    ASSERT_EQ(host.faults, 0) << "after action " << n;
  }
  if (left) editor->MouseUp(0, 0, {false, right, false, false, false});
  if (right) editor->MouseUp(0, 0, {});
  for (int open : host.open)
    EXPECT_EQ(open, 0);
  EXPECT_GT(host.begins, 1000);
  for (int i = 0; i < editor->NControls(); ++i)
    EXPECT_TRUE(std::isfinite(editor->GetControl(i)->Value())) << i;
}

}  // namespace
