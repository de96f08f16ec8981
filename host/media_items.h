// Media items: IMediaItem, what the host hands over for every selected item; IMediaItemExtra,
// the second interface of items the module prepares; IOpenDocument, an item open in the host.
#pragma once

#include "platform/oaidl.h"

// A document open in the host (a slide show and the like).
struct IOpenDocument : IUnknown {
  // The file the document was loaded from or last saved to, with its protocol prefix; empty when untitled.
  STDMETHOD(GetPath)(BSTR* path) PURE;
  // VARIANT_TRUE when it has changes not saved.
  STDMETHOD(GetModified)(VARIANT_BOOL* modified) PURE;
  // Writes the document to `path` in the suite's own document format, leaving its own path alone.
  STDMETHOD(SaveTo)(BSTR path) PURE;
};
PLATFORM_DECLARE_IID(IOpenDocument, "{E8134D6A-E53D-4BEE-8D4D-AB613534E383}");

struct IMediaItem : IUnknown {
  // The item's file, with its protocol prefix.
  STDMETHOD(GetPath)(BSTR* path) PURE;
  // The answer to the host's path query; the same file as GetPath for files.
  STDMETHOD(QueryPath)(BSTR* path) PURE;
  // The open document behind the item; S_FALSE and null when it has none.
  STDMETHOD(GetDocument)(IOpenDocument** document) PURE;
  // The host's string property of the item, copied to every prepared copy of it.
  STDMETHOD(GetStringProperty)(BSTR* value) PURE;
  STDMETHOD(SetStringProperty)(BSTR value) PURE;
  // File name and extension without the folder.
  STDMETHOD(GetDisplayName)(BSTR* name) PURE;
  // Clockwise quarter turns that show the picture upright.
  STDMETHOD(GetOrientation)(LONG* quarter_turns) PURE;
};
PLATFORM_DECLARE_IID(IMediaItem, "{13F8534C-5658-4ABC-8378-8A9DF7A6D600}");

// Slot order is fixed: callers reach these through the vtable of other builds.
struct IMediaItemExtra : IUnknown {
  // VARIANT_FALSE for a file the module found rather than made.
  STDMETHOD(put_EngineMade)(VARIANT_BOOL made) PURE;
  STDMETHOD(get_EngineMade)(VARIANT_BOOL* made) PURE;
  // The selected item this one was prepared from; an uncounted reference in both directions.
  STDMETHOD(put_OriginItem)(IUnknown* origin) PURE;
  STDMETHOD(get_OriginItem)(IUnknown** origin) PURE;
  // Forwards IMediaItem to `source`; E_NOINTERFACE when it has no IMediaItem.
  STDMETHOD(SetSourceItem)(IUnknown* source) PURE;
  // A file registered for deletion by DeleteTempFile.
  STDMETHOD(SetTempFile)(BSTR path) PURE;
  STDMETHOD(GetTempFile)(BSTR* path) PURE;
  STDMETHOD(put_DeleteAllowed)(VARIANT_BOOL allowed) PURE;
  STDMETHOD(get_DeleteAllowed)(VARIANT_BOOL* allowed) PURE;
  // Deletes the registered file when allowed and forgets it; S_FALSE when the deletion failed.
  STDMETHOD(DeleteTempFile)() PURE;
  // VARIANT_TRUE when no source item is attached.
  STDMETHOD(IsEmpty)(VARIANT_BOOL* empty) PURE;
};
PLATFORM_DECLARE_IID(IMediaItemExtra, "{F6F4E211-764F-469B-A4B0-6256C75980F5}");
