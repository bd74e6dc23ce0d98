// The native way on Windows: GDI lays out and draws the whole text, into the bitmap's own
// device context or, for bitmaps without one, through the text scratch bitmap.
#include <windows.h>

#include <algorithm>
#include <new>

#include "raster/BlendMode.h"
#include "raster/BlitBitmap.h"
#include "raster/CachedFont.h"
#include "raster/FontProcessState.h"

static_assert(TEXT_CENTER == DT_CENTER && TEXT_RIGHT == DT_RIGHT && TEXT_VCENTER == DT_VCENTER &&
              TEXT_BOTTOM == DT_BOTTOM && TEXT_SINGLELINE == DT_SINGLELINE &&
              TEXT_NOCLIP == DT_NOCLIP && TEXT_CALCRECT == DT_CALCRECT &&
              TEXT_NOPREFIX == DT_NOPREFIX && TEXT_OPAQUE == OPAQUE &&
              TEXT_TRANSPARENT == TRANSPARENT);

namespace {

constexpr int kLocalUnits = 1024;
constexpr int kLocalLimit = 1000;
constexpr int kHeapSlack = 32;
constexpr UINT kAlignmentBits = 0xF;

bool Continuation(unsigned char b) {
  return b >= 0x80 && b <= 0xBF;
}

// True when the text holds a well-formed 2- or 3-byte lead (4-byte leads count too); never
// reads past the counted bytes.
bool HasMultiByteLead(const char* text, int count) {
  const auto* t = reinterpret_cast<const unsigned char*>(text);
  const long long end = count < 0 ? -1 : count;
  for (long long i = 0; (end < 0 || i < end) && t[i]; ++i) {
    const bool room1 = end < 0 || i + 1 < end, room2 = end < 0 || i + 2 < end;
    if (t[i] >= 0xC2 && t[i] <= 0xDF && room1 && Continuation(t[i + 1])) return true;
    if (t[i] >= 0xE0 && t[i] <= 0xF4 && room1 && Continuation(t[i + 1]) && room2 &&
        Continuation(t[i + 2]))
      return true;
  }
  return false;
}

// The text as UTF-16 when it holds multi-byte characters and converts; else narrow text.
class NativeText {
 public:
  NativeText(const char* text, int count) : text_(text), count_(count) {
    if (!NativeUnicodeFamily() || !HasMultiByteLead(text, count)) return;
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, count, nullptr, 0);
    if (length < 1) return;
    wchar_t* buffer = local_;
    int room = kLocalUnits;
    if (length >= kLocalLimit) {
      heap_ = new (std::nothrow) wchar_t[static_cast<size_t>(length) + kHeapSlack];
      buffer = heap_;
      room = length + 1;
    }
    if (!buffer) return;
    const int converted =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, count, buffer, room);
    if (converted < 1) {  // invalid UTF-8 after all: drawn as narrow text
      delete[] heap_;
      heap_ = nullptr;
      return;
    }
    buffer[std::min(converted, room - 1)] = 0;
    wide_ = buffer;
  }
  ~NativeText() { delete[] heap_; }
  NativeText(const NativeText&) = delete;
  NativeText& operator=(const NativeText&) = delete;

  int Draw(HDC dc, RECT* rect, UINT format) const {
    return wide_ ? DrawTextW(dc, wide_, -1, rect, format)
                 : DrawTextA(dc, text_, count_, rect, format);
  }

 private:
  const char* text_;
  int count_;
  const wchar_t* wide_ = nullptr;
  wchar_t* heap_ = nullptr;
  wchar_t local_[kLocalUnits];
};

COLORREF ToColorRef(Pixel p) {
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace

bool CachedFont::HandleDrawsNatively(SystemFontHandle) {
  return true;
}

int CachedFont::DrawNative(RasterBitmap* bitmap, const char* text, int count, RasterRect* rect,
                           uint32_t format) {
  const NativeText native(text, count);
  HFONT font = static_cast<HFONT>(font_);
  HDC dc = bitmap ? static_cast<HDC>(bitmap->SystemDC()) : nullptr;
  RECT drawRect{rect->left, rect->top, rect->right, rect->bottom};
  SysBitmap* scratch = nullptr;
  int offsetX = 0, offsetY = 0;
  HGDIOBJ previous = nullptr;
  if (dc) {
    previous = SelectObject(dc, font);
  } else {
    scratch = &TextScratch();
    dc = static_cast<HDC>(scratch->SystemDC());
    if (!dc) return 0;
    const int w = std::max(rect->right - rect->left, 1), h = std::max(rect->bottom - rect->top, 1);
    if (scratch->Width() < w || scratch->Height() < h) scratch->Resize(w, h);
    previous = SelectObject(dc, font);
    RECT measured{0, 0, 0, 0};
    const int answer =
        native.Draw(dc, &measured, (format & ~kAlignmentBits) | DT_CALCRECT | DT_NOPREFIX);
    const int tw = measured.right, th = measured.bottom;
    if (format & DT_CALCRECT) {
      SelectObject(dc, previous);
      rect->right = rect->left + tw;
      rect->bottom = rect->top + th;
      return answer;
    }
    if (!bitmap) {
      SelectObject(dc, previous);
      return 0;
    }
    int aw = (format & DT_NOCLIP) ? tw : w, ah = (format & DT_NOCLIP) ? th : h;
    if (tw < aw) {
      offsetX = (format & DT_RIGHT) ? aw - tw : (format & DT_CENTER) ? (aw - tw) / 2 : 0;
      aw = tw;
    }
    if (th < ah) {
      offsetY = (format & DT_BOTTOM) ? ah - th : (format & DT_VCENTER) ? (ah - th) / 2 : 0;
      ah = th;
    }
    if (scratch->Width() < aw || scratch->Height() < ah) {
      SelectObject(dc, previous);
      scratch->Resize(aw, ah);
      previous = SelectObject(dc, font);
    }
    const RasterRect area{rect->left + offsetX, rect->top + offsetY, rect->left + offsetX + aw,
                          rect->top + offsetY + ah};
    BlitBitmap(scratch, bitmap, 0, 0, &area, 1.0f, BLEND_COPY);
    drawRect = RECT{0, 0, aw, ah};
  }
  SetTextColor(dc, ToColorRef(foreColor_));
  SetBkMode(dc, backMode_);
  if (backMode_ == OPAQUE) SetBkColor(dc, ToColorRef(backColor_));
  const int result = native.Draw(dc, &drawRect, format | DT_NOPREFIX);
  GdiFlush();
  if (scratch) {
    const RasterRect drawn{0, 0, drawRect.right, drawRect.bottom};
    BlitBitmap(bitmap, scratch, rect->left + offsetX, rect->top + offsetY, &drawn, opacity_,
               BLEND_COPY);
  } else if (format & DT_CALCRECT) {
    *rect = RasterRect{drawRect.left, drawRect.top, drawRect.right, drawRect.bottom};
  }
  SelectObject(dc, previous);
  return result;
}
