#include "zozed/module/component_record.h"

#include <utility>

namespace zozed {

ComponentRecord::ComponentRecord(const ComponentRecord& other)
    : image_id(other.image_id),
      image(other.image.copy()),
      name_id(other.name_id),
      display_name(other.display_name),
      key_name(other.key_name),
      file_category_id(other.file_category_id),
      file_category(other.file_category),
      cfg_dir_ref(other.cfg_dir_ref),
      activity_pane(other.activity_pane),
      toolbar(other.toolbar),
      category(other.category),
      server(other.server),
      component_options(other.component_options),
      type(other.type),
      tooltip_id(other.tooltip_id),
      tooltip(other.tooltip),
      url(other.url),
      is_activity_pane_stack(other.is_activity_pane_stack),
      priority(other.priority),
      sub_manager(other.sub_manager),
      sub_manager_clsid(other.sub_manager_clsid),
      sub_manager_object(other.sub_manager_object.copy()),
      glyph_number(other.glyph_number),
      glyph_entry(other.glyph_entry) {}

ComponentRecord& ComponentRecord::operator=(const ComponentRecord& other) {
  if (this != &other) *this = ComponentRecord(other);
  return *this;
}

}  // namespace zozed
