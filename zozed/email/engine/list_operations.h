// Operations on item lists by media type and by origin: the splits the share and options panes
// route by, wrapping host items as prepared items, and taking items out by the selection they came from.
#pragma once

#include "platform/oaidl.h"
#include "zozed/email/engine/item_list.h"

namespace zozed::email {

// Media types 0 and 1 to `pictures`, everything else (unclassified too) to `others`, in order.
void SplitByMediaType(const ItemList& items, ItemList& pictures, ItemList& others);

// At least one item of media type 0.
bool HasMediaType0(const ItemList& items);

// At least one item of media type 4 or 7.
bool HasSlideShowMedia(const ItemList& items);

// Media types 0 to 3 into `first`, the rest into `second`; each an array of VT_UNKNOWN, or
// VT_EMPTY when nothing falls into it.
void SplitForSlideShow(const ItemList& items, VARIANT& first, VARIANT& second);

// Items without IMediaItemExtra replaced in place by prepared items forwarding to them.
void WrapItems(VARIANT& items);

// For each removed item, the first entry of `list` prepared from that very object is taken out.
void RemoveByOrigin(VARIANT& list, const VARIANT& removed);

}  // namespace zozed::email
