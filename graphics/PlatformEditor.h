// PlatformEditor: the editor class of this platform's windows, the one seam where a plug-in
// chooses it. Until a window of its own exists on a platform, that is the headless editor, which
// draws like any editor but never opens a window (so no editor is announced to hosts).
#pragma once

class EffectBase;
class IGraphics;

// A new editor of this platform for the effect (owned by the caller until attached), or null.
IGraphics* CreatePlatformEditor(EffectBase* effect, int width, int height, int frameRate);
