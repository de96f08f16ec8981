// ComponentRecord: one entry of a component catalogue, with the values read from its registry
// key and the host objects and texts cached for it on first use.
#pragma once

#include <cstdint>
#include <string>

#include "platform/guiddef.h"
#include "platform/support/com_ptr.h"
#include "platform/unknwn.h"

namespace zozed {

// Sort key of an entry that names no Priority: after every explicitly ordered entry.
inline constexpr std::int32_t kDefaultPriority = 0x3FFFFFFF;
// File-category id of an entry that has none.
inline constexpr std::int32_t kNoFileCategory = -1;

struct ComponentRecord {
  ComponentRecord() = default;
  // A copy shares the cached host objects (one more reference each).
  ComponentRecord(const ComponentRecord& other);
  ComponentRecord& operator=(const ComponentRecord& other);
  ComponentRecord(ComponentRecord&&) noexcept = default;
  ComponentRecord& operator=(ComponentRecord&&) noexcept = default;
  ~ComponentRecord() = default;

  std::uint32_t image_id = 0;
  platform::ComPtr<IUnknown> image;
  std::uint32_t name_id = 0;
  std::u16string display_name;
  std::u16string key_name;
  std::int32_t file_category_id = kNoFileCategory;
  std::u16string file_category;
  std::u16string cfg_dir_ref;
  std::u16string activity_pane;
  std::u16string toolbar;
  std::u16string category;
  std::u16string server;
  std::u16string component_options;
  std::u16string type;
  std::uint32_t tooltip_id = 0;
  std::u16string tooltip;
  std::u16string url;
  bool is_activity_pane_stack = false;
  std::int32_t priority = kDefaultPriority;
  std::u16string sub_manager;
  CLSID sub_manager_clsid = CLSID_NULL;
  platform::ComPtr<IUnknown> sub_manager_object;
  std::uint32_t glyph_number = 0;
  std::u16string glyph_entry;
};

}  // namespace zozed
