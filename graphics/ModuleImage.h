// ModuleImage: how every editor window loads an image resource of its module: the name's
// extension selects the decoder (only PNG exists), the id selects the module resource of type
// "PNG", and its pixels are decoded on first drawing.
#pragma once

class RasterBitmap;

// True when the text after name's last "." (a dot in the first place does not count) is "png"
// in any letter case.
bool HasPngExtension(const char* name);
// A lazily decoded bitmap of the module's resource id, or null (not PNG, missing, no PNG header).
RasterBitmap* LoadModuleImage(int id, const char* name);
