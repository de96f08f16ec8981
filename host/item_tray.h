// The host's item tray: the control that shows a pane's media items (a VARIANT holding a
// SAFEARRAY of item objects), its caption, views and commands, and the events it fires.
#pragma once

#include <array>
#include <string_view>

#include "platform/oaidl.h"

namespace host {

// The tray control of pane templates (control 104), and the same tray as the host control the
// entry pane creates at run time by class id.
PLATFORM_DEFINE_GUID(CLSID_ItemTray, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E40}");
PLATFORM_DEFINE_GUID(CLSID_ItemTrayStrip, "{9FFC5ED6-E96C-4677-AF6E-2C0049670269}");
inline constexpr std::u16string_view kItemTrayProgId = u"TSGSkin.ItemTray.1";
inline constexpr std::u16string_view kItemTrayStripProgId = u"TSGSkin.ItemTrayStrip.1";

// The host's tray object is the activity area's property kActivityAreaItemTray.
inline constexpr DISPID kActivityAreaItemTray = 3;

// Tray members.
inline constexpr DISPID kTrayOpenView = 3;       // method (view kind CLSID string) -> IDispatch view
inline constexpr DISPID kTrayCloseView = 4;      // method (view)
inline constexpr DISPID kTraySetCaption = 5;     // method (text)
inline constexpr DISPID kTrayCommand = 6;        // method (context menu command id) -> VT_BOOL done
inline constexpr DISPID kTrayReleaseLink = 7;    // method (link GUID string): forget the items a pane linked
inline constexpr DISPID kTrayItems = 8;          // VARIANT: VT_ARRAY | VT_DISPATCH or VT_UNKNOWN; put replaces
inline constexpr DISPID kTrayCount = 9;          // VT_I4
inline constexpr DISPID kTrayCaption = 10;       // BSTR
inline constexpr DISPID kTrayRemoveItem = 11;    // method (index): the user takes one item out
inline constexpr DISPID kTraySelect = 12;        // method (index, VT_BOOL selected)
inline constexpr DISPID kTraySelectedCount = 13; // VT_I4
inline constexpr DISPID kTrayLinkedPane = 14;    // BSTR: the link GUID string the items came with; put sets it
inline constexpr DISPID kTrayViewCount = 15;     // VT_I4: open views
inline constexpr DISPID kTrayDrop = 16;          // method (data object) -> VT_BOOL accepted: a user drop
inline constexpr DISPID kTrayContextMenu = 17;   // method (x, y): the user asks for the context menu

// Members of a tray view.
inline constexpr DISPID kTrayViewKind = 1;       // BSTR: the kind it was opened with
inline constexpr DISPID kTrayViewRefresh = 2;    // method: show the tray's items again
inline constexpr DISPID kTrayViewShown = 3;      // VT_I4: items shown at the last refresh
inline constexpr DISPID kTrayViewRefreshes = 4;  // VT_I4: refreshes so far

inline constexpr std::u16string_view kTrayViewKindItems = u"{51E367BE-D00C-45B6-A37A-598E92974AC5}";
inline constexpr std::u16string_view kTrayLinkEmailPanes = u"{0BEB95AF-C850-4641-A351-FF6EE0056A3E}";

// Context menu commands the tray carries out.
inline constexpr LONG kTrayCommandRemoveSelected = 1620;
inline constexpr LONG kTrayCommandRemoveAll = 1621;
inline constexpr LONG kTrayCommandSelectAll = 32776;
inline constexpr LONG kTrayCommandSelectNone = 32795;
inline constexpr LONG kTrayCommandInvertSelection = 32796;

// Outgoing dispinterface of the tray.
PLATFORM_DEFINE_GUID(DIID_ItemTrayEvents, "{6A1C2E4F-3B7D-4E58-9C21-5D0F8A3B7E41}");
inline constexpr DISPID kTrayEventDropped = 3;          // (data object): items dropped after event 29 accepted them
inline constexpr DISPID kTrayEventContextMenu = 5;      // (x, y VT_I4): context menu at the pointer
inline constexpr DISPID kTrayEventContentsChanged = 20; // no arguments
inline constexpr DISPID kTrayEventCanDrop = 29;         // (data object, VT_BYREF|VT_BOOL answer): may it drop?

}  // namespace host
