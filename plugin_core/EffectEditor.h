// EffectEditor: the editor as the plug-in core sees it. The plug-in owns the attached editor and
// pushes parameter values into its controls; the editor framework (IGraphics) supplies the bodies.
#pragma once

class EffectEditor {
 public:
  virtual ~EffectEditor() = default;

  // Every control bound to parameter paramIndex, in list order, takes the normalised value
  // without reporting it back to the plug-in. Any thread, under the plug-in lock.
  virtual void SetControlsFromPlugin(int paramIndex, double normalized) = 0;
  // As above for a plain value when normalized is false (converted with the parameter's
  // ToNormalized first).
  virtual void SetParamFromPlugin(int paramIndex, double value, bool normalized) = 0;
  // Creates the canvas the editor draws into.
  virtual void PrepareDrawing() = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // The host's editor requests, on the host's editor thread, without the plug-in lock (they may
  // wait for a thread of the editor's that waits for that lock). OpenWindow answers true when a
  // window now shows the editor inside parent (a platform window handle or X11 window id).
  virtual bool OpenWindow(void*) { return false; }
  virtual void CloseWindow() {}
  // The host's idle call: editors without a system timer handle their events and redraw here.
  // Called without the plug-in lock.
  virtual void Idle() {}
  // False for an editor that draws but has no window to show (hosts are then told of no editor).
  virtual bool CanOpenWindow() const { return true; }
};
