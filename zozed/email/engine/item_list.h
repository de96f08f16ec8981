// Item lists as the panes hand them over (a VARIANT holding a SAFEARRAY of item pointers) and as
// the engine works on them (a vector), with the item queries every operation needs.
#pragma once

#include <string>
#include <vector>

#include "host/media_items.h"
#include "platform/oaidl.h"
#include "platform/support/com_ptr.h"

namespace zozed::email {

using ItemList = std::vector<platform::ComPtr<IUnknown>>;

// The items of `list`: empty for VT_EMPTY; an array of VT_UNKNOWN, VT_DISPATCH or VT_VARIANT
// holding objects. Anything else raises ComError(DISP_E_TYPEMISMATCH).
ItemList ReadItemList(const VARIANT& list);
// Whether `list` has one of the forms ReadItemList takes.
bool IsItemList(const VARIANT& list) noexcept;
// Clears `list` and stores the items in it as an array of VT_UNKNOWN (empty arrays included).
void StoreItemList(VARIANT& list, const ItemList& items);

// IMediaItem of the item; raises ComError(E_NOINTERFACE) when it has none.
platform::ComPtr<IMediaItem> MediaItemOf(IUnknown* item);
// IMediaItemExtra of the item, or null.
platform::ComPtr<IMediaItemExtra> ExtraOf(IUnknown* item) noexcept;

std::u16string PathOf(const platform::ComPtr<IMediaItem>& item);
LONG OrientationOf(const platform::ComPtr<IMediaItem>& item);
// The object's identity (its IUnknown), for comparisons.
IUnknown* IdentityOf(IUnknown* object) noexcept;

}  // namespace zozed::email
