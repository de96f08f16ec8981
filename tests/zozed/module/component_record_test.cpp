#include <gtest/gtest.h>

#include <utility>

#include "tests/fakes/counting_unknown.h"
#include "tests/zozed/module/catalogue_test_support.h"
#include "zozed/module/component_record.h"

namespace {

zozed::ComponentRecord filled(fakes::CountingUnknown& image, fakes::CountingUnknown& sub_manager) {
  zozed::ComponentRecord r;
  r.image_id = 3;
  r.image = platform::ComPtr<IUnknown>::borrow(image.unknown());
  r.name_id = 61669;
  r.display_name = u"E-mail";
  r.key_name = u"{126239D4-FA95-4566-A14E-2A111932D54A}";
  r.file_category_id = 61765;
  r.file_category = u"Mail";
  r.cfg_dir_ref = u"Options";
  r.activity_pane = u"{P}";
  r.toolbar = u"{T}";
  r.category = u"C";
  r.server = u"S";
  r.component_options = u"O";
  r.type = u"Share Publish Collection";
  r.tooltip_id = 7;
  r.tooltip = u"tip";
  r.url = u"u";
  r.is_activity_pane_stack = true;
  r.priority = -5;
  r.sub_manager = u"{30355CD8-0A54-4ce7-838E-BF048256AF96}";
  r.sub_manager_clsid = {0x30355CD8, 0x0A54, 0x4ce7, {0x83, 0x8E, 0xBF, 0x04, 0x82, 0x56, 0xAF, 0x96}};
  r.sub_manager_object = platform::ComPtr<IUnknown>::borrow(sub_manager.unknown());
  r.glyph_number = 6;
  r.glyph_entry = u"Home_Email";
  return r;
}

// A field left out of the hand-written copy shows up here.
void expect_same_values(const zozed::ComponentRecord& a, const zozed::ComponentRecord& b) {
  EXPECT_EQ(catalogue_test::fields_of(a), catalogue_test::fields_of(b));
  EXPECT_EQ(a.key_name, b.key_name);
  EXPECT_EQ(a.display_name, b.display_name);
  EXPECT_EQ(a.file_category, b.file_category);
  EXPECT_EQ(a.tooltip, b.tooltip);
  EXPECT_EQ(a.image.get(), b.image.get());
  EXPECT_EQ(a.sub_manager_object.get(), b.sub_manager_object.get());
}

TEST(ComponentRecord, CopiesShareTheCachedObjectsAndAssigningReleasesWhatWasHeld) {
  fakes::CountingUnknown image, sub_manager, old_image;
  {
    const zozed::ComponentRecord original = filled(image, sub_manager);
    const zozed::ComponentRecord copy(original);
    expect_same_values(copy, original);
    zozed::ComponentRecord target;
    target.image = platform::ComPtr<IUnknown>::borrow(old_image.unknown());
    target = original;
    expect_same_values(target, original);
    EXPECT_EQ(old_image.refs(), 1u);
    target = target;  // self-assignment keeps one reference
    const zozed::ComponentRecord moved = std::move(target);
    EXPECT_EQ(moved.image.get(), image.unknown());
    EXPECT_EQ(image.refs(), 4u) << "the test's, the original's, the copy's and the moved record's";
    EXPECT_EQ(sub_manager.refs(), 4u);
  }
  EXPECT_EQ(image.refs(), 1u);
  EXPECT_EQ(sub_manager.refs(), 1u);
}

}  // namespace
