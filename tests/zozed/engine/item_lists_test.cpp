// Documents saved into temporary files, the splits by media type, wrapping host items, taking
// items out by origin, and the prepared item's own interface.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fakes/counting_unknown.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/document_items.h"
#include "zozed/email/engine/list_operations.h"

namespace zozed_test {
namespace {

using namespace zozed::email;

class ItemListsTest : public EngineTest {
 protected:
  platform::ComPtr<IUnknown> document_item(std::u16string document_path, bool modified, bool saves = true) {
    platform::ComPtr<fakes::FakeItem> made;
    EXPECT_EQ(platform::make_com(made, std::u16string(u"file::C:\\p\\item"), 0, std::u16string()), S_OK);
    platform::ComPtr<fakes::FakeDocument> document;
    EXPECT_EQ(platform::make_com(document, world_, std::move(document_path), modified, saves), S_OK);
    made->document_ = document.As<IOpenDocument>();
    return made.As<IUnknown>();
  }
  static IUnknown* origin_of(IUnknown* entry) {
    IUnknown* origin = nullptr;
    EXPECT_EQ(ExtraOf(entry)->get_OriginItem(&origin), S_OK);
    return origin;
  }
};

TEST_F(ItemListsTest, DocumentsAreSavedWhenUnsavedChangedInTheSuiteFormatOrOffTheDisk) {
  struct Row {
    int line;
    const char16_t* document_path;
    bool modified;
    const char16_t* result;  // null: the item itself is kept
  };
  const Row rows[] = {
      {__LINE__, u"file::C:\\p\\clip.wmv", false, nullptr},
      {__LINE__, u"file::C:\\p\\clip.wmv", true, u"clip.wmv"},
      {__LINE__, u"file::C:\\p\\show.DMSP", false, u"show.DMSP"},
      {__LINE__, u"file::D:\\clip.wmv", false, u"clip (1).wmv"},
      {__LINE__, u"", false, u"QRNES0.dmsp"},
      {__LINE__, u"", true, u"QRNES1.dmsp"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    const auto document = document_item(row.document_path, row.modified);
    auto list = list_of(items_of(document.copy()));
    EXPECT_TRUE(PrepareDocumentItems(*list.get()));
    const auto prepared = ReadItemList(*list.get());
    ASSERT_EQ(prepared.size(), 1u);
    if (!row.result) {
      EXPECT_EQ(prepared[0].get(), document.get());
    } else {
      EXPECT_EQ(paths_of(*list.get())[0], in_temp(row.result));
      EXPECT_EQ(origin_of(prepared[0].get()), document.get());
    }
  }

  auto list = list_of(items_of(item(u"file::C:\\p\\a.jpg"), document_item(u"", true, false)));
  EXPECT_FALSE(PrepareDocumentItems(*list.get()));
  EXPECT_EQ(paths_of(*list.get()), (std::vector<std::u16string>{u"file::C:\\p\\a.jpg"}));
}

TEST_F(ItemListsTest, SplitsAndTestsByMediaType) {
  const ItemList items = items_of(item(u"a.wmv"), item(u"b.jpg"), item(u"c.none"), item(u"d.png"), item(u"e.show"),
                                  item(u"f.mp3"), item(u"g.dmsp"));
  ItemList pictures, others;
  SplitByMediaType(items, pictures, others);
  EXPECT_EQ(paths_of(pictures), (std::vector<std::u16string>{u"b.jpg", u"d.png"}));
  EXPECT_EQ(paths_of(others), (std::vector<std::u16string>{u"a.wmv", u"c.none", u"e.show", u"f.mp3", u"g.dmsp"}));

  platform::Variant first, second;
  SplitForSlideShow(items, *first.put(), *second.put());
  EXPECT_EQ(paths_of(*first.get()), (std::vector<std::u16string>{u"a.wmv", u"b.jpg", u"d.png", u"f.mp3"}));
  EXPECT_EQ(paths_of(*second.get()), (std::vector<std::u16string>{u"c.none", u"e.show", u"g.dmsp"}));
  SplitForSlideShow(items_of(item(u"b.jpg")), *first.put(), *second.put());
  EXPECT_EQ(second.vt(), VT_EMPTY);

  struct Row {
    int line;
    const char16_t* path;
    bool type0, slide_show;
  };
  const Row rows[] = {{__LINE__, u"x.jpg", true, false}, {__LINE__, u"x.dmsp", false, true},
                      {__LINE__, u"x.show", false, true}, {__LINE__, u"x.png", false, false}};
  for (const Row& row : rows) {
    const ItemList list = items_of(item(u"y.wmv"), item(row.path));
    EXPECT_EQ(HasMediaType0(list), row.type0) << "row at line " << row.line;
    EXPECT_EQ(HasSlideShowMedia(list), row.slide_show) << "row at line " << row.line;
  }
  EXPECT_FALSE(HasMediaType0(items_of()));
}

TEST_F(ItemListsTest, WrappedItemsForwardToTheirSourceAndAreRemovedByOrigin) {
  const auto a = item(u"file::C:\\a.jpg", 2, u"prop a");
  const auto b = item(u"file::C:\\b.jpg");
  const auto ready = MakePreparedItem(u"C:\\ready.jpg").As<IUnknown>();
  auto list = list_of(items_of(a.copy(), ready.copy(), b.copy(), a.copy()));
  WrapItems(*list.get());
  auto wrapped = ReadItemList(*list.get());
  ASSERT_EQ(wrapped.size(), 4u);
  EXPECT_EQ(wrapped[1].get(), ready.get());
  EXPECT_NE(wrapped[0].get(), a.get());
  LONG orientation = 0;
  ASSERT_EQ(MediaItemOf(wrapped[0].get())->GetOrientation(&orientation), S_OK);
  EXPECT_EQ(orientation, 2);
  VARIANT_BOOL empty = VARIANT_TRUE;
  ASSERT_EQ(ExtraOf(wrapped[0].get())->IsEmpty(&empty), S_OK);
  EXPECT_EQ(empty, VARIANT_FALSE);
  EXPECT_EQ(paths_of(*list.get())[1], u"file::C:\\ready.jpg");

  // Only the first entry made from each removed item goes.
  RemoveByOrigin(*list.get(), *list_of(items_of(a.copy(), b.copy())).get());
  wrapped = ReadItemList(*list.get());
  ASSERT_EQ(wrapped.size(), 2u);
  EXPECT_EQ(wrapped[0].get(), ready.get());
  EXPECT_EQ(origin_of(wrapped[1].get()), a.get());

  platform::Variant none;
  WrapItems(*none.get());
  EXPECT_EQ(none.vt(), VT_EMPTY);
}

TEST_F(ItemListsTest, PreparedItemHoldsTheModuleAndDeletesOnlyAnAllowedTemporaryFile) {
  const LONG locks = platform::this_module().locks();
  auto prepared = MakePreparedItem(u"file::C:\\x.jpg");
  EXPECT_EQ(platform::this_module().locks(), locks + 1);
  auto extra = ExtraOf(prepared.get());
  ASSERT_TRUE(extra);

  fakes::write_file(u"C:\\p\\gone.jpg");
  SetFileAttributesW(u"C:\\p\\gone.jpg", FILE_ATTRIBUTE_READONLY);
  fakes::write_file(u"C:\\p\\kept.jpg");
  struct Row {
    int line;
    const char16_t* file;
    VARIANT_BOOL allowed;
    HRESULT result;
    bool exists_after;
  };
  const Row rows[] = {
      {__LINE__, u"file::C:\\p\\gone.jpg", VARIANT_TRUE, S_OK, false},  // read-only is cleared first
      {__LINE__, u"C:\\p\\missing.jpg", VARIANT_TRUE, S_FALSE, false},
      {__LINE__, u"C:\\p\\kept.jpg", VARIANT_FALSE, S_OK, true},
      {__LINE__, u"", VARIANT_TRUE, S_OK, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    ASSERT_EQ(extra->SetTempFile(platform::Bstr(row.file).get()), S_OK);
    ASSERT_EQ(extra->put_DeleteAllowed(row.allowed), S_OK);
    EXPECT_EQ(extra->DeleteTempFile(), row.result);
    EXPECT_EQ(temp_file_of(prepared.get()), u"");
    EXPECT_EQ(exists(row.file), row.exists_after);
  }

  fakes::CountingUnknown no_item(fakes::CountingUnknown::Dispatch::kRefuse);
  EXPECT_EQ(extra->SetSourceItem(no_item.unknown()), E_NOINTERFACE);
  EXPECT_EQ(no_item.refs(), 1u);
  EXPECT_EQ(extra->GetTempFile(nullptr), E_POINTER);
  EXPECT_EQ(prepared->GetPath(nullptr), E_POINTER);
  platform::Bstr name;
  ASSERT_EQ(prepared->GetDisplayName(name.put()), S_OK);
  EXPECT_EQ(name.view(), u"x.jpg");

  extra.reset();
  EXPECT_EQ(prepared.detach()->Release(), 0u);
  EXPECT_EQ(platform::this_module().locks(), locks);
}

}  // namespace
}  // namespace zozed_test
