// PlatformEditor: the editor class of this platform's windows, the one seam where a plug-in
// chooses it: IGraphicsWin on Windows (graphics_win/), IGraphicsX11 on Linux (graphics_x11/).
#pragma once

class EffectBase;
class IGraphics;

// A new editor of this platform for the effect (owned by the caller until attached), or null.
IGraphics* CreatePlatformEditor(EffectBase* effect, int width, int height, int frameRate);
