// IControl: the base of every editor control: its rectangle, bound parameter, normalised value,
// dirty and visibility flags, text style and blend, and the default reactions to input.
//
// Threads: input and drawing run on the editor thread. SetValueFromPlugin, SetHidden, SetGreyed
// and the dirty marks may also come from a host or the audio thread (under the plug-in lock, which
// the editor thread does not take), so the fields they share are atomics.
#pragma once

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>

#include "graphics/IBlend.h"
#include "graphics/IBounds.h"
#include "graphics/IMouseKeys.h"
#include "graphics/ITextStyle.h"

class EffectBase;
class IGraphics;

class IControl {
 public:
  IControl(EffectBase* effect, const IBounds& area, int paramIndex, const IBlend& blend);
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // Virtual operations; their order is the control's fixed interface.
  virtual ~IControl() = default;
  // The right button opens the value prompt.
  virtual void MouseDown(int x, int y, const IMouseKeys& keys);
  virtual void MouseUp(int x, int y, const IMouseKeys& keys);
  virtual void MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& keys);
  // Restores the first value the plug-in gave, if any.
  virtual void MouseDoubleClick(int x, int y, const IMouseKeys& keys);
  // 0.01 per step, 0.001 with control or shift.
  virtual void MouseWheel(int x, int y, const IMouseKeys& keys, int steps);
  virtual bool KeyDown(int x, int y, int key);
  virtual void MouseOver(int x, int y, const IMouseKeys& keys);
  virtual void MouseOut();
  // Draws into the editor's canvas; the answer is ignored by the redraw pass.
  virtual bool Draw(IGraphics* editor) = 0;
  virtual void SetValueFromPlugin(double value);
  virtual void AcceptEnteredText(const char* text);
  virtual void SetHidden(bool hidden);
  virtual void SetGreyed(bool greyed);
  virtual bool HitTest(int x, int y);
  // Clamps the value and marks the control dirty; with push, the value goes to the plug-in. The
  // value is written only when clamping changes it, so a mark from another thread never puts
  // back a value the editor thread has replaced meanwhile.
  virtual void MarkDirty(bool push);
  virtual void MarkDrawn();
  virtual bool NeedsRedraw();
  virtual void Hook() {}

  // A value entered by the user (text entry): pushed to the plug-in, inside an edit gesture of its
  // own, when it changed.
  void SetValueFromUser(double value);

  // What a control makes of a value that is not a finite number, as the parameters do: NaN is 0,
  // an infinity the nearer end of 0..1. Nothing non-finite is ever drawn or reported.
  static double FiniteValue(double value) {
    if (std::isnan(value)) return 0.0;
    if (std::isinf(value)) return value > 0.0 ? 1.0 : 0.0;
    return value;
  }
  // Opens the value prompt of the bound parameter, unless prompts are disabled.
  void RequestValuePrompt();

  // The editor that owns the control (set by IGraphics::AddControl; null before).
  IGraphics* Editor() const { return editor_; }
  void SetEditor(IGraphics* editor) { editor_ = editor; }
  EffectBase* Effect() const { return effect_; }

  const IBounds& Area() const { return area_; }
  // What the redraw pass repaints for this control: its area, grown by the text its last draw
  // placed beyond it (texts are drawn unclipped, and a read-out's text may be wider than its
  // area). Editor thread.
  IBounds RedrawBounds() const { return Union(area_, textExtent_); }
  // True for controls that draw text: a pass that touches them must repaint their text whole.
  bool DrawsText() const { return drawsText_; }
  const IBounds& HitArea() const { return hitArea_; }
  void SetHitArea(const IBounds& area) { hitArea_ = area; }
  int ParamIndex() const { return paramIndex_; }
  double Value() const { return value_.load(std::memory_order_relaxed); }
  void SetValue(double value) { value_.store(FiniteValue(value), std::memory_order_relaxed); }
  double DefaultValue() const { return defaultValue_.load(std::memory_order_relaxed); }
  void SetClamp(double low, double high) {
    clampLow_ = low;
    clampHigh_ = high;
  }
  bool IsHidden() const { return hidden_.load(std::memory_order_relaxed); }
  bool IsGreyed() const { return greyed_.load(std::memory_order_relaxed); }
  bool PromptDisabled() const { return promptDisabled_; }
  void SetPromptDisabled(bool disabled) { promptDisabled_ = disabled; }
  bool DoubleClickAsPress() const { return doubleClickAsPress_; }
  void SetDoubleClickAsPress(bool asPress) { doubleClickAsPress_ = asPress; }
  bool HoverWhenGreyed() const { return hoverWhenGreyed_; }
  void SetHoverWhenGreyed(bool hover) { hoverWhenGreyed_ = hover; }
  // Keeps the control dirty after its next draw.
  void SetRedrawAgain() { SetDrawMarks(kRedrawAgain); }
  IBlend Blend() const { return {blendMethod_, blendWeight_.load(std::memory_order_relaxed)}; }
  ITextStyle& TextStyle() { return textStyle_; }
  void SetTextStyle(const ITextStyle& style) { textStyle_ = style; }
  int TextEntryLimit() const { return textEntryLimit_; }

 protected:
  // Draw records where its text landed (empty: no text drawn). Editor thread.
  void SetTextExtent(const IBounds& extent) { textExtent_ = extent; }

  int32_t textEntryLimit_ = 7;
  ITextStyle textStyle_;
  EffectBase* effect_;
  IBounds area_;
  IBounds hitArea_;
  int32_t paramIndex_;
  bool drawsText_ = false;

 private:
  IBounds textExtent_;
  // dirty and redrawAgain live in one word, so that a draw finishing on the editor thread never
  // clears a mark another thread set meanwhile.
  static constexpr uint8_t kDirty = 1;
  static constexpr uint8_t kRedrawAgain = 2;

  // A locked read-modify-write only when a mark is missing: values arrive with every audio block,
  // several times per frame drawn, so most find their marks still set. A draw finishing between
  // the check and the set turns "dirty, again" into "dirty", which still draws the new value.
  double Clamped(double value) const { return std::clamp(value, clampLow_, clampHigh_); }

  void SetDrawMarks(uint8_t marks) {
    if ((drawState_.load(std::memory_order_relaxed) & marks) != marks)
      drawState_.fetch_or(marks, std::memory_order_relaxed);
  }

  std::atomic<double> value_{0.0};
  std::atomic<double> defaultValue_{-1.0};
  double clampLow_ = 0.0;
  double clampHigh_ = 1.0;
  std::atomic<uint8_t> drawState_{kDirty};
  std::atomic<bool> hidden_{false};
  std::atomic<bool> greyed_{false};
  bool promptDisabled_ = true;
  bool doubleClickAsPress_ = false;
  bool hoverWhenGreyed_ = false;
  int32_t blendMethod_;
  std::atomic<float> blendWeight_;
  IGraphics* editor_ = nullptr;
};
