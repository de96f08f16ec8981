// A COM enumerator (IEnumConnections, IEnumConnectionPoints, ...) over a snapshot of items.
// Each item handed out carries its own reference, which the caller releases.
#pragma once

#include <vector>

#include "platform/support/com_object.h"

namespace platform {

// Traits say how an item is handed out: Item is what Next() writes, Stored what we keep.
template <class EnumItf, class Item, class Stored, Item (*hand_out)(const Stored&)>
class SnapshotEnumerator final : public ComObject<SnapshotEnumerator<EnumItf, Item, Stored, hand_out>, EnumItf> {
 public:
  explicit SnapshotEnumerator(std::vector<Stored> items, std::size_t position = 0)
      : items_(std::move(items)), position_(position) {}

  STDMETHODIMP Next(ULONG count, Item* out, ULONG* fetched) override {
    if (!out || (count != 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    while (n < count && position_ < items_.size()) out[n++] = hand_out(items_[position_++]);
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }

  STDMETHODIMP Skip(ULONG count) override {
    const std::size_t left = items_.size() - position_;
    if (count > left) {
      position_ = items_.size();
      return S_FALSE;
    }
    position_ += count;
    return S_OK;
  }

  STDMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }

  STDMETHODIMP Clone(EnumItf** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return com_boundary([&] {
      std::vector<Stored> copy;
      copy.reserve(items_.size());
      for (const auto& item : items_) copy.push_back(copy_of(item));
      return create_com<SnapshotEnumerator>(iid_of<EnumItf>, reinterpret_cast<void**>(out), std::move(copy),
                                            position_);
    });
  }

 private:
  template <class T>
  static T copy_of(const T& item) {
    if constexpr (requires { item.copy(); })
      return item.copy();
    else
      return item;
  }

  std::vector<Stored> items_;
  std::size_t position_;
};

}  // namespace platform
