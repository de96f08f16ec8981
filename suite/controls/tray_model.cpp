#include "suite/controls/tray_model.h"

#include <algorithm>

#include "host/item_tray.h"
#include "platform/support/safe_array.h"

namespace suite::controls {

HRESULT TrayModel::set_items(const VARIANT& list) {
  const VARIANT* v = &list;
  if (v->vt == (VT_BYREF | VT_VARIANT)) {
    if (!v->pvarVal) return E_INVALIDARG;
    v = v->pvarVal;
  }
  if (v->vt == VT_EMPTY) {
    items_.clear();
    element_type_ = VT_UNKNOWN;
    return S_OK;
  }
  const VARTYPE element = static_cast<VARTYPE>(v->vt & ~VT_ARRAY);
  if (!(v->vt & VT_ARRAY) || (v->vt & VT_BYREF) || !v->parray) return E_INVALIDARG;
  if (element != VT_UNKNOWN && element != VT_DISPATCH && element != VT_VARIANT) return E_INVALIDARG;
  if (SafeArrayGetDim(v->parray) != 1) return E_INVALIDARG;
  auto view = platform::SafeArray::attach(v->parray);
  std::vector<Entry> taken;
  HRESULT hr = S_OK;
  for (LONG i = view.lbound(); i <= view.ubound() && SUCCEEDED(hr); ++i) {
    platform::ComPtr<IUnknown> object;
    if (element == VT_VARIANT) {
      platform::Variant value;
      hr = view.get_element(i, value);
      if (SUCCEEDED(hr)) {
        if (auto u = value.as_unknown(); u && *u)
          object = std::move(*u);
        else if (auto d = value.as_dispatch(); d && *d)
          hr = (*d)->QueryInterface(IID_IUnknown, object.put_void());
        else
          hr = E_INVALIDARG;
      }
    } else if (element == VT_DISPATCH) {
      platform::ComPtr<IDispatch> dispatch;
      hr = view.get_element(i, dispatch);
      if (SUCCEEDED(hr)) hr = dispatch ? dispatch->QueryInterface(IID_IUnknown, object.put_void()) : E_INVALIDARG;
    } else {
      hr = view.get_element(i, object);
      if (SUCCEEDED(hr) && !object) hr = E_INVALIDARG;
    }
    if (SUCCEEDED(hr)) taken.push_back({std::move(object), false});
  }
  (void)view.detach();  // the caller's array
  if (FAILED(hr)) return E_INVALIDARG;
  items_ = std::move(taken);
  element_type_ = element;
  return S_OK;
}

platform::Variant TrayModel::items() const {
  if (items_.empty()) return platform::Variant();
  auto array = platform::SafeArray::create_vector(element_type_, 0, static_cast<ULONG>(items_.size()));
  if (!array) throw platform::ComError(E_OUTOFMEMORY, IID_IDispatch);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const LONG index = static_cast<LONG>(i);
    IUnknown* object = items_[i].object.get();
    HRESULT hr;
    if (element_type_ == VT_VARIANT) {
      hr = array.put_element(index, platform::Variant(platform::ComPtr<IUnknown>::borrow(object)));
    } else if (element_type_ == VT_DISPATCH) {
      platform::ComPtr<IDispatch> dispatch;
      hr = object->QueryInterface(IID_IDispatch, dispatch.put_void());
      if (SUCCEEDED(hr)) hr = array.put_element(index, dispatch.get());
    } else {
      hr = array.put_element(index, object);
    }
    platform::check<IDispatch>(hr);
  }
  return platform::Variant(std::move(array));
}

std::size_t TrayModel::selected_count() const noexcept {
  return static_cast<std::size_t>(std::count_if(items_.begin(), items_.end(), [](const Entry& e) { return e.selected; }));
}

bool TrayModel::remove(LONG index) {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return false;
  items_.erase(items_.begin() + index);
  return true;
}

bool TrayModel::select(LONG index, bool selected) {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return false;
  items_[static_cast<std::size_t>(index)].selected = selected;
  return true;
}

std::optional<bool> TrayModel::command(LONG id) {
  switch (id) {
    case host::kTrayCommandRemoveSelected: {
      const auto before = items_.size();
      std::erase_if(items_, [](const Entry& e) { return e.selected; });
      return items_.size() != before;
    }
    case host::kTrayCommandRemoveAll: {
      const bool had = !items_.empty();
      items_.clear();
      return had;
    }
    case host::kTrayCommandSelectAll:
      for (auto& e : items_) e.selected = true;
      return false;
    case host::kTrayCommandSelectNone:
      for (auto& e : items_) e.selected = false;
      return false;
    case host::kTrayCommandInvertSelection:
      for (auto& e : items_) e.selected = !e.selected;
      return false;
    default:
      return std::nullopt;
  }
}

void TrayModel::clear() noexcept { items_.clear(); }

}  // namespace suite::controls
