// What an item tray holds: the media items in order, which of them are selected, the caption
// and the pane link the items came with; and the context menu commands that edit them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/oaidl.h"
#include "platform/support/com_ptr.h"
#include "platform/support/variant.h"

namespace suite::controls {

class TrayModel {
 public:
  // Takes the items of an item list: VT_EMPTY (none), or a one-dimensional array of VT_UNKNOWN,
  // VT_DISPATCH or VT_VARIANT elements each holding an object (a VT_BYREF variant is followed).
  // E_INVALIDARG for anything else, leaving the tray as it was.
  [[nodiscard]] HRESULT set_items(const VARIANT& list);
  // The items as an item list of the element type they were given in (VT_EMPTY when none).
  platform::Variant items() const;

  std::size_t count() const noexcept { return items_.size(); }
  IUnknown* item(std::size_t index) const noexcept { return items_[index].object.get(); }
  bool selected(std::size_t index) const noexcept { return items_[index].selected; }
  std::size_t selected_count() const noexcept;

  // False for an index outside the items.
  bool remove(LONG index);
  bool select(LONG index, bool selected);
  // Carries out a context menu command; answers whether the items changed, or nullopt for a
  // command the tray does not know.
  std::optional<bool> command(LONG id);
  void clear() noexcept;

  std::u16string caption;
  std::u16string link;  // the pane link (GUID string) the items came with

 private:
  struct Entry {
    platform::ComPtr<IUnknown> object;
    bool selected = false;
  };
  std::vector<Entry> items_;
  VARTYPE element_type_ = VT_UNKNOWN;
};

}  // namespace suite::controls
