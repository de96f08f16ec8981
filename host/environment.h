// IClientEnvironment: the host's resources and settings locations by number (strings, cursors,
// templates, images) and the registry roots of configuration and catalogues.
#pragma once

#include "platform/oaidl.h"
#include "platform/windef.h"

struct IClientEnvironment : IDispatch {
  // The host's text numbered `id`; fails for a number the host has no text for.
  STDMETHOD(GetHostString)(LONG id, BSTR* text) PURE;
  // The host's cursor numbered `id` (7053: busy); fails for an unknown number.
  STDMETHOD(GetCursor)(LONG id, HCURSOR* cursor) PURE;
  // Resource `id` of `type` (5 dialog template, 240 init data) as a byte array; S_FALSE and VT_EMPTY when none.
  STDMETHOD(GetResource)(LONG id, LONG type, VARIANT* resource) PURE;
  // Image object numbered `id`; S_FALSE and null when the host has none.
  STDMETHOD(GetImage)(LONG id, IUnknown** image) PURE;
  // Registry path (no hive) below which components keep their configuration (`Cfg Dir Ref`).
  STDMETHOD(get_ConfigurationRoot)(BSTR* path) PURE;
  // Registry path (below HKEY_CURRENT_USER) of the host's user settings.
  STDMETHOD(get_SettingsPath)(BSTR* path) PURE;
  // Registry path under which the format loaders keep their settings.
  STDMETHOD(get_FormatLoaderBasePath)(BSTR* path) PURE;
  // Catalogue root number `index` (below HKEY_LOCAL_MACHINE); S_FALSE and an empty string past the last.
  STDMETHOD(GetCatalogueRoot)(LONG index, BSTR* root) PURE;
};
PLATFORM_DECLARE_IID(IClientEnvironment, "{773DD6EA-B51D-4C0D-A3BB-48BAE892DF1F}");

namespace host {
// Three classes answer the same environment; components pick the one their design names.
PLATFORM_DEFINE_GUID(CLSID_ClientEnvironment, "{02E55031-A398-40AE-A00B-BBC48E710E05}");
PLATFORM_DEFINE_GUID(CLSID_ClientEnvironmentConfig, "{292F97E9-738E-474F-AB71-6337F1F07A46}");
PLATFORM_DEFINE_GUID(CLSID_ClientEnvironmentSettings, "{93B548CD-CC5F-45AD-AFFE-46BE8A8D80DD}");

inline constexpr LONG kBusyCursor = 7053;
inline constexpr LONG kResourceDialogTemplate = 5;
inline constexpr LONG kResourceInitData = 240;
}  // namespace host
