#include "zozed/email/engine/list_operations.h"

#include "platform/oleauto.h"
#include "platform/support/com_error.h"
#include "zozed/email/engine/media_access.h"
#include "zozed/email/engine/prepared_item.h"

namespace zozed::email {

using platform::check;
using platform::ComPtr;

namespace {

template <class Visit>
void for_each_type(const ItemList& items, Visit&& visit) {
  if (items.empty()) return;
  const auto services = CreateMediaServices();
  for (const auto& item : items) {
    const auto media = MediaItemOf(item.get());
    if (!visit(item, MediaTypeOf(services, PathOf(media)))) return;
  }
}

bool has_type(const ItemList& items, bool (*matches)(LONG)) {
  bool found = false;
  for_each_type(items, [&](const ComPtr<IUnknown>&, LONG type) {
    found = matches(type);
    return !found;
  });
  return found;
}

}  // namespace

void SplitByMediaType(const ItemList& items, ItemList& pictures, ItemList& others) {
  for_each_type(items, [&](const ComPtr<IUnknown>& item, LONG type) {
    (IsStillPictureType(type) ? pictures : others).push_back(item.copy());
    return true;
  });
}

bool HasMediaType0(const ItemList& items) {
  return has_type(items, [](LONG type) { return type == host::kMediaTypePhoto; });
}

bool HasSlideShowMedia(const ItemList& items) {
  return has_type(items, [](LONG type) {
    return type == host::kMediaTypeSlideShow || type == host::kMediaTypeSlideShowAlt;
  });
}

void SplitForSlideShow(const ItemList& items, VARIANT& first, VARIANT& second) {
  ItemList low;
  ItemList high;
  for_each_type(items, [&](const ComPtr<IUnknown>& item, LONG type) {
    (type >= 0 && type <= 3 ? low : high).push_back(item.copy());
    return true;
  });
  check(VariantClear(&first), IID_NULL);
  check(VariantClear(&second), IID_NULL);
  if (!low.empty()) StoreItemList(first, low);
  if (!high.empty()) StoreItemList(second, high);
}

void WrapItems(VARIANT& list) {
  if (list.vt == VT_EMPTY) return;
  ItemList items = ReadItemList(list);
  for (auto& item : items) {
    if (ExtraOf(item.get())) continue;
    const ComPtr<IMediaItem> wrapper = MakePreparedItem(PathOf(MediaItemOf(item.get())));
    const auto extra = ExtraOf(wrapper.get());
    check<IMediaItemExtra>(extra->SetSourceItem(item.get()));
    check<IMediaItemExtra>(extra->put_OriginItem(item.get()));
    item = wrapper.As<IUnknown>();
  }
  StoreItemList(list, items);
}

void RemoveByOrigin(VARIANT& list, const VARIANT& removed) {
  ItemList items = ReadItemList(list);
  for (const auto& gone : ReadItemList(removed)) {
    IUnknown* identity = IdentityOf(gone.get());
    for (auto it = items.begin(); it != items.end(); ++it) {
      const auto extra = ExtraOf(it->get());
      IUnknown* origin = nullptr;
      if (!extra || FAILED(extra->get_OriginItem(&origin)) || origin != identity) continue;
      items.erase(it);
      break;
    }
  }
  StoreItemList(list, items);
}

}  // namespace zozed::email
