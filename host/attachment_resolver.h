// The host's attachment resolver, which yields for each item the file that stands for it, and
// the slide-show check, which gives a verdict on each file of a slide-show list.
#pragma once

#include "platform/oaidl.h"

struct IAttachmentResolver : IUnknown {
  // The items: paths (SAFEARRAY of BSTR) and orientations (SAFEARRAY of VT_I4), index for index.
  STDMETHOD(SetItems)(VARIANT paths, VARIANT orientations) PURE;
  // The next entry: the item's path, the file standing for it and its rotation; S_FALSE when none is left.
  STDMETHOD(Next)(BSTR* source_path, BSTR* file_path, LONG* rotation) PURE;
};
PLATFORM_DECLARE_IID(IAttachmentResolver, "{D55D6D6A-2516-407A-AC02-1F3DB133D58F}");

struct ISlideShowCheck : IUnknown {
  // The file to judge next.
  STDMETHOD(SetFile)(BSTR path) PURE;
  // 0 when the file may go into the slide show; anything else when it may not.
  STDMETHOD(GetVerdict)(LONG* verdict) PURE;
};
PLATFORM_DECLARE_IID(ISlideShowCheck, "{45ABE3A5-0EAB-4509-8583-BC24E43985CF}");

namespace host {
PLATFORM_DEFINE_GUID(CLSID_AttachmentResolver, "{FC693DBE-DFE3-4CBE-BB8B-C8AEDC503EA8}");
PLATFORM_DEFINE_GUID(CLSID_SlideShowCheck, "{660AF97F-D550-472D-85A5-B18E6204FC53}");
}  // namespace host
