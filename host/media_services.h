// IMediaServices: the host's media services: the shutdown listeners, file objects, picture
// information, loading and saving pictures, and the host's media type of a file.
#pragma once

#include "platform/oaidl.h"
#include "platform/windef.h"

struct IImageObject;

struct IShutdownSink : IUnknown {
  // The host is shutting down: release every host object held.
  STDMETHOD(Shutdown)() PURE;
};
PLATFORM_DECLARE_IID(IShutdownSink, "{8701544E-1A8F-4A2C-8BD9-FF021CDBEBCB}");

// A file or folder as the host sees it, for a path with its protocol prefix.
struct IFileObject : IUnknown {
  // The folder part of the path, protocol prefix included.
  STDMETHOD(GetFolderPart)(BSTR* folder) PURE;
  STDMETHOD(Exists)(VARIANT_BOOL* exists) PURE;
  // File attributes; bit host::kUnusableAttribute when the file or folder cannot be used.
  STDMETHOD(GetAttributes)(DWORD* attributes) PURE;
  // The host's kind of the object (2 and 5: not a file).
  STDMETHOD(GetKind)(LONG* kind) PURE;
  // System error code of the last failed operation on the object, 0 when none.
  STDMETHOD(GetLastError)(LONG* error) PURE;
  // `relative` resolved against this object's folder, with the protocol prefix.
  STDMETHOD(ResolveRelativePath)(BSTR relative, BSTR* resolved) PURE;
};
PLATFORM_DECLARE_IID(IFileObject, "{E65AE181-AFC7-4103-9B06-77D8DD9145AF}");

namespace host {
inline constexpr int kMaxImageFrames = 20;
}  // namespace host

// Picture information read from a file's header; cleared to zero by the caller first.
struct ImageInfo {
  struct FrameSize {
    LONG width;
    LONG height;
  };
  FrameSize frames[host::kMaxImageFrames];
  LONG frame_count;     // valid entries of frames; may exceed 20 for files with more frames
  LONG bits_per_pixel;  // of the stored picture
  LONG planes;          // multiplier of the raw size
  ULONGLONG file_size;  // bytes
  LONG media_type;      // see host::MediaType; negative when unknown
};

// What IMediaServices::LoadImage is asked to do.
struct MediaLoadRequest {
  BSTR path;              // with its protocol prefix
  LONG load_flags;        // host::kLoadFlagImage
  IImageObject* target;   // receives the picture
  DWORD options;          // host::kLoadOptionIntoTarget
};

struct IMediaServices : IDispatch {
  // Keeps `listener` and calls its IShutdownSink when the host shuts down.
  STDMETHOD(RegisterListener)(IUnknown* listener) PURE;
  // The file object for `path` (with its protocol prefix).
  STDMETHOD(GetFileObject)(BSTR path, IFileObject** file) PURE;
  // The folder offered when nothing better is known, with its protocol prefix.
  STDMETHOD(GetDefaultFolder)(BSTR* folder) PURE;
  // Fills `info` from the file's header without decoding pixels; fails for an unreadable file.
  STDMETHOD(GetImageInfo)(BSTR path, ImageInfo* info) PURE;
  // Decodes `request->path` into `request->target`.
  STDMETHOD(LoadImage)(const MediaLoadRequest* request) PURE;
  // Encodes `image` to `path` in the format its extension names.
  STDMETHOD(SaveImage)(IImageObject* image, BSTR path) PURE;
  // Media type of a path or of a bare extension (".jpg"); negative when empty or unknown.
  STDMETHOD(GetMediaType)(BSTR path_or_extension, LONG* type) PURE;
};
PLATFORM_DECLARE_IID(IMediaServices, "{A3DF9F01-1200-45B9-802F-4562A711571E}");

namespace host {
PLATFORM_DEFINE_GUID(CLSID_MediaServices, "{3E08E8BA-2AB8-4FFC-B27C-6E1033C67A99}");

// IFileObject::GetAttributes bit of a file or folder that cannot be used.
inline constexpr DWORD kUnusableAttribute = 0x40000;

// Media types: 0 and 1 still pictures (converted and resized), 2, 3, 4, 7 other media (copied);
// 4 and 7 are what slide shows are made of.
inline constexpr LONG kMediaTypePhoto = 0;
inline constexpr LONG kMediaTypePicture = 1;
inline constexpr LONG kMediaTypeSlideShow = 4;
inline constexpr LONG kMediaTypeSlideShowAlt = 7;

inline constexpr LONG kLoadFlagImage = 1;
inline constexpr DWORD kLoadOptionIntoTarget = 1u << 2;
}  // namespace host
