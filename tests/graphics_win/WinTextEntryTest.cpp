// The in-place text entry over a real editor window: its creation, filters, colours, commit on
// the next tick, and every way it is dropped.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>

#include "graphics/EntryText.h"
#include "tests/graphics_win/WinEditorSupport.h"

namespace {

class WinTextEntry : public WinEditorTest {
 protected:
  IControl* Knob() { return editor->GetControl(1); }
  // The knob's value prompt: a text entry of parameter 1's value over area.
  HWND Prompt() {
    IBounds area{10, 30, 40, 45};
    editor->PromptForValue(Knob(), effect.GetParam(1), &area);
    return editor->EntryWindow();
  }
  void Type(const char* text) {
    for (const char* c = text; *c; ++c)
      SendMessageA(editor->EntryWindow(), WM_CHAR, static_cast<unsigned char>(*c), 0);
  }
};

TEST_F(WinTextEntry, TypedValueCommitsOnTheNextTick) {
  HWND window = Open();
  Knob()->TextStyle().entryBackground = {255, 10, 20, 30};
  Knob()->TextStyle().entryText = {255, 200, 100, 50};
  HWND entry = Prompt();
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(GetParent(entry), window);
  EXPECT_EQ(GetDlgCtrlID(entry), IGraphicsWin::kEntryId);
  EXPECT_TRUE(GetWindowLongA(entry, GWL_STYLE) & ES_MULTILINE);
  RECT rect;
  GetWindowRect(entry, &rect);
  EXPECT_EQ(rect.right - rect.left, 31);
  EXPECT_EQ(rect.bottom - rect.top, 16);
  EXPECT_EQ(EntryText(), "1.0");
  DWORD start = 9, end = 9;
  SendMessageA(entry, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(SendMessageA(entry, EM_GETLIMITTEXT, 0, 0), 7);
  // The focus given before the entry's procedure was ours is not seen.
  EXPECT_EQ(editor->EntryStateNow(), IGraphicsWin::EntryIdle);

  HDC context = GetDC(entry);
  EXPECT_EQ(
      Send(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(context), reinterpret_cast<LPARAM>(entry)),
      reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH)));
  EXPECT_EQ(GetBkColor(context), RGB(10, 20, 30));
  EXPECT_EQ(GetTextColor(context), RGB(200, 100, 50));
  EXPECT_EQ(GetBkMode(context), OPAQUE);
  ReleaseDC(entry, context);
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(entry, WM_GETFONT, 0, 0));
  EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));

  // Parameter 1 is -10..10 shown with one decimal: what the filter lets through, the number read
  // from it (negated for a negated display), clamped into the range; and the entry's alignment
  // from the style's (near: left, far: right, anything else centred).
  const struct {
    const char* typed;
    bool negate;
    const char* shown;
    double value;
    int32_t alignment;
    LONG editAlignment;
  } kCases[] = {{"-1.5", false, "-1.5", -1.5, ITextStyle::Centre, ES_CENTER},
                {"2.5", true, "2.5", -2.5, ITextStyle::Near, ES_LEFT},
                {"7x.5e1", false, "7.51", 7.51, ITextStyle::Far, ES_RIGHT},
                {"-", false, "-", 0.0, 7, ES_CENTER},
                {"99", false, "99", 10.0, ITextStyle::Centre, ES_CENTER},
                {"+3a", false, "+3", 3.0, ITextStyle::Centre, ES_CENTER}};
  for (const auto& c : kCases) {
    effect.GetParam(1)->SetNegateDisplay(c.negate);
    Knob()->TextStyle().alignment = c.alignment;
    if (!editor->EntryWindow()) {
      ASSERT_NE(Prompt(), nullptr) << c.typed;
    }
    EXPECT_EQ(GetWindowLongA(editor->EntryWindow(), GWL_STYLE) & (ES_CENTER | ES_RIGHT),
              c.editAlignment)
        << c.typed;
    const double before = effect.GetParam(1)->Value();
    Type(c.typed);
    EXPECT_EQ(EntryText(), c.shown) << c.typed;
    EXPECT_EQ(SendMessageA(editor->EntryWindow(), WM_KEYDOWN, VK_RETURN, 0), 0);
    EXPECT_EQ(editor->EntryStateNow(), IGraphicsWin::EntryCommit);
    EXPECT_EQ(effect.GetParam(1)->Value(), before) << c.typed;  // not at once
    Tick();
    EXPECT_EQ(editor->EntryWindow(), nullptr) << c.typed;
    EXPECT_NEAR(effect.GetParam(1)->Value(), c.value, 1e-9) << c.typed;
  }
  effect.GetParam(1)->SetNegateDisplay(false);
  EXPECT_FALSE(IsWindow(entry));

  // A command with high word 1 commits too; without a parameter every character passes and the
  // text goes to the control.
  editor->ShowTextEntry(Knob(), Knob()->TextStyle(), {0, 0, 63, 20}, "", nullptr);
  Type("-1.5e3x");
  EXPECT_EQ(EntryText(), "-1.5e3x");
  EXPECT_EQ(SendMessageA(editor->EntryWindow(), WM_COMMAND, MAKEWPARAM(0, 1), 0), 0);
  EXPECT_EQ(editor->EntryStateNow(), IGraphicsWin::EntryCommit);
  Tick();
  EXPECT_EQ(editor->EntryWindow(), nullptr);
  EXPECT_EQ(GetObjectType(font), 0u);  // each entry's font went with it
}

TEST_F(WinTextEntry, ClickWheelFocusLossAndRedrawsDropOrSpareTheEntry) {
  Open();
  const double value = effect.GetParam(1)->Value();
  // A press while the entry is open but not being edited drops it at once, and still presses.
  ASSERT_NE(Prompt(), nullptr);
  Type("3");
  log.clear();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(50, 10));
  Send(WM_LBUTTONUP, 0, At(50, 10));
  EXPECT_EQ(editor->EntryWindow(), nullptr);
  // (Dropping it repaints the whole window at once.)
  EXPECT_EQ(log, (std::vector<std::string>{"rec draw", "rec down 50,10", "rec up 50,10"}));

  // A wheel event cancels on the next tick and scrolls nothing.
  ASSERT_NE(Prompt(), nullptr);
  Type("3");
  log.clear();
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), At(0, 0));
  EXPECT_EQ(editor->EntryStateNow(), IGraphicsWin::EntryCancel);
  EXPECT_NE(editor->EntryWindow(), nullptr);
  Tick();
  EXPECT_EQ(editor->EntryWindow(), nullptr);
  EXPECT_TRUE(log.empty());

  // Redraws while an entry is open alternate with idle ticks and leave the entry in place.
  HWND entry = Prompt();
  ASSERT_NE(entry, nullptr);
  recorder->MarkDirty(false);
  Tick();
  EXPECT_EQ(log, (std::vector<std::string>{"rec draw"}));
  EXPECT_EQ(editor->EntryStateNow(), IGraphicsWin::EntryRedrawn);
  recorder->MarkDirty(false);
  Tick();  // only back to idle: no redraw on this tick
  EXPECT_EQ(log.size(), 1u);
  EXPECT_EQ(editor->EntryStateNow(), IGraphicsWin::EntryIdle);

  // Focus lost, then regained: editing. While editing the window does nothing but cancel on a
  // press; the timer then drops the entry.
  SetFocus(Window());
  EXPECT_EQ(editor->EntryStateNow(), IGraphicsWin::EntryCancel);
  SetFocus(entry);
  EXPECT_EQ(editor->EntryStateNow(), IGraphicsWin::EntryEditing);
  Tick();
  Send(WM_RBUTTONDOWN, MK_RBUTTON, At(50, 10));
  EXPECT_EQ(editor->EntryStateNow(), IGraphicsWin::EntryCancel);
  EXPECT_EQ(log.size(), 1u);
  Tick();
  EXPECT_FALSE(IsWindow(entry));
  EXPECT_EQ(effect.GetParam(1)->Value(), value);

  // An entry open when the editor closes goes with it.
  ASSERT_NE(Prompt(), nullptr);
  editor->CloseEditorWindow();
  EXPECT_EQ(editor->EntryWindow(), nullptr);
}

TEST(EntryText, FiltersByKindAndReadsTheLeadingDecimal) {
  // Columns: None, Bool, Int, Enum, Double.
  const struct {
    unsigned char c;
    const char* passes;
  } kFilter[] = {{'5', "11111"}, {'+', "11111"}, {'-', "11111"}, {'.', "10001"}, {'e', "10000"},
                 {8, "11111"},   {13, "10000"},  {':', "10000"}, {'/', "10000"}, {0xE9, "10000"}};
  for (const auto& row : kFilter)
    for (int kind = 0; kind < 5; ++kind)
      EXPECT_EQ(EntryCharacterPasses(static_cast<ParamKind>(kind), row.c), row.passes[kind] == '1')
          << int(row.c) << " kind " << kind;

  const struct {
    const char* text;
    double value;
  } kNumbers[] = {{"-1.5", -1.5}, {"+2", 2.0}, {" 3.25dB", 3.25}, {"abc", 0.0},  {"1e3", 1.0},
                  {".5", 0.5},    {"-", 0.0},  {"0x10", 0.0},     {"inf", 0.0},  {"12.", 12.0},
                  {"-.", 0.0},    {"", 0.0},   {"--1", 0.0},      {nullptr, 0.0}};
  for (const auto& n : kNumbers)
    EXPECT_EQ(LeadingDecimal(n.text), n.value) << (n.text ? n.text : "null");
}

}  // namespace
