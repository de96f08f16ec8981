#include "zozed/email/engine/item_list.h"

#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/support/safe_array.h"
#include "platform/support/variant.h"

namespace zozed::email {

using platform::check;
using platform::ComError;
using platform::ComPtr;

namespace {

bool is_item_array_type(VARTYPE vt) {
  return vt == (VT_ARRAY | VT_UNKNOWN) || vt == (VT_ARRAY | VT_DISPATCH) || vt == (VT_ARRAY | VT_VARIANT);
}

}  // namespace

bool IsItemList(const VARIANT& list) noexcept {
  if (list.vt == VT_EMPTY) return true;
  return is_item_array_type(list.vt) && list.parray && SafeArrayGetDim(list.parray) == 1;
}

ItemList ReadItemList(const VARIANT& list) {
  ItemList items;
  if (list.vt == VT_EMPTY) return items;
  if (!IsItemList(list)) throw ComError(DISP_E_TYPEMISMATCH, IID_NULL);
  LONG lower = 0;
  LONG upper = -1;
  check(SafeArrayGetLBound(list.parray, 1, &lower), IID_NULL);
  check(SafeArrayGetUBound(list.parray, 1, &upper), IID_NULL);
  for (LONG i = lower; i <= upper; ++i) {
    ComPtr<IUnknown> item;
    const VARTYPE element = static_cast<VARTYPE>(list.vt & ~VT_ARRAY);
    if (element == VT_VARIANT) {
      VARIANT value;
      VariantInit(&value);
      check(SafeArrayGetElement(list.parray, &i, &value), IID_NULL);
      if ((value.vt == VT_UNKNOWN || value.vt == VT_DISPATCH) && value.punkVal)
        item = ComPtr<IUnknown>::borrow(value.punkVal);
      (void)VariantClear(&value);
    } else {
      IUnknown* raw = nullptr;
      check(SafeArrayGetElement(list.parray, &i, &raw), IID_NULL);
      item = ComPtr<IUnknown>::attach(raw);
    }
    if (!item) throw ComError(DISP_E_TYPEMISMATCH, IID_NULL);
    items.push_back(std::move(item));
  }
  return items;
}

void StoreItemList(VARIANT& list, const ItemList& items) {
  auto array = platform::SafeArray::create_vector(VT_UNKNOWN, 0, static_cast<ULONG>(items.size()));
  if (!array) throw ComError(E_OUTOFMEMORY, IID_NULL);
  for (std::size_t i = 0; i < items.size(); ++i)
    check(array.put_element(static_cast<LONG>(i), items[i].get()), IID_NULL);
  check(VariantClear(&list), IID_NULL);
  list.vt = VT_ARRAY | VT_UNKNOWN;
  list.parray = array.detach();
}

ComPtr<IMediaItem> MediaItemOf(IUnknown* item) {
  ComPtr<IMediaItem> media;
  if (!item) throw ComError(E_POINTER, IID_IMediaItem);
  check<IMediaItem>(item->QueryInterface(IID_IMediaItem, media.put_void()));
  return media;
}

ComPtr<IMediaItemExtra> ExtraOf(IUnknown* item) noexcept {
  ComPtr<IMediaItemExtra> extra;
  if (item) (void)item->QueryInterface(IID_IMediaItemExtra, extra.put_void());
  return extra;
}

std::u16string PathOf(const platform::ComPtr<IMediaItem>& item) {
  platform::Bstr path;
  check<IMediaItem>(item->GetPath(path.put()));
  return std::u16string(path.view());
}

LONG OrientationOf(const platform::ComPtr<IMediaItem>& item) {
  LONG orientation = 0;
  check<IMediaItem>(item->GetOrientation(&orientation));
  return orientation;
}

IUnknown* IdentityOf(IUnknown* object) noexcept {
  IUnknown* identity = nullptr;
  if (object && SUCCEEDED(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity))))
    identity->Release();
  return identity;
}

}  // namespace zozed::email
