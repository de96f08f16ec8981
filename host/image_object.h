// IImageObject: the host's decoded picture, loaded and saved through IMediaServices and rotated
// and resized in between.
#pragma once

#include "platform/oaidl.h"

struct IImageObject : IUnknown {
  // Loader configuration given before loading: a VARIANT holding a SAFEARRAY of VT_I4.
  STDMETHOD(SetConfiguration)(VARIANT configuration) PURE;
  // Rotates by `quarter_turns` (0..3) clockwise quarter turns.
  STDMETHOD(Rotate)(LONG quarter_turns) PURE;
  // Scales the picture to `width` x `height` pixels (both at least 1).
  STDMETHOD(Resize)(LONG width, LONG height) PURE;
  // Current size in pixels, after the rotations and resizes asked so far.
  STDMETHOD(GetSize)(LONG* width, LONG* height) PURE;
  // Bits per pixel of the loaded picture.
  STDMETHOD(GetBitsPerPixel)(LONG* bits) PURE;
  // Marks the picture as having no unsaved changes (saving then writes it as it is now).
  STDMETHOD(ResetPendingChanges)() PURE;
};
PLATFORM_DECLARE_IID(IImageObject, "{C0F7883A-BCE3-40CA-8F02-25F61EAFB76E}");

namespace host {
PLATFORM_DEFINE_GUID(CLSID_ImageObject, "{63EF2B1A-9562-472E-8315-E138A8944D2D}");

// The configuration the e-mail engine gives every image object before loading.
inline constexpr LONG kImageLoadConfiguration[4] = {0, 1, 2, 5};
}  // namespace host
