#include <gtest/gtest.h>

#include "host/activity_host.h"
#include "platform/support/control_host.h"
#include "platform/support/safe_array.h"
#include "suite/controls/control_model.h"
#include "suite/controls/control_window.h"
#include "suite/controls/item_tray.h"
#include "tests/suite/controls/controls_test_support.h"

using namespace controls_test;
using platform::Variant;
using suite::controls::ItemTray;

namespace {

// A media item stand-in: an automation object with nothing but its identity.
class Item final : public platform::DispatchObject<Item, IDispatch> {
 public:
  static std::span<const platform::DispatchMember<Item>> dispatch_members() { return {}; }
};

class ItemTrayTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ASSERT_EQ(platform::make_com(tray_), S_OK);
    ASSERT_EQ(host_.attach(tray_->identity(), parent_, RECT{0, 100, 300, 200}), S_OK);
    ASSERT_EQ(host_.window(), tray_->window());
    for (auto& item : items_) ASSERT_EQ(platform::make_com(item), S_OK);
  }
  void TearDown() override {
    host_.destroy();
    if (tray_) {
      EXPECT_EQ(tray_.detach()->Release(), 0u);
    }
    for (auto& item : items_) EXPECT_EQ(item.detach()->Release(), 0u);
    ControlsTest::TearDown();
  }

  // The first `n` items as an item list of `vt` elements.
  Variant list_of(std::size_t n, VARTYPE vt = VT_DISPATCH) {
    auto array = platform::SafeArray::create_vector(vt, 0, static_cast<ULONG>(n));
    for (LONG i = 0; i < static_cast<LONG>(n); ++i) {
      const auto& item_object = items_[static_cast<std::size_t>(i)];
      IUnknown* item = item_object->identity();
      const HRESULT hr = vt == VT_DISPATCH ? array.put_element(i, static_cast<IDispatch*>(item_object.get()))
                         : vt == VT_UNKNOWN ? array.put_element(i, item)
                                            : array.put_element(i, Variant(platform::ComPtr<IUnknown>::borrow(item)));
      EXPECT_EQ(hr, S_OK);
    }
    return Variant(std::move(array));
  }
  HRESULT call(DISPID id, std::vector<VARIANT> args, VARIANT* result = nullptr) {
    return invoke(tray_.get(), id, DISPATCH_METHOD, std::move(args), result);
  }
  void fill(std::size_t n) { ASSERT_EQ(put(tray_.get(), host::kTrayItems, copy_arg(list_of(n))), S_OK); }
  LONG count() { return get(tray_.get(), host::kTrayCount).as_long().value_or(-1); }

  platform::ComPtr<ItemTray> tray_;
  platform::HostedControl host_;
  std::array<platform::ComPtr<Item>, 3> items_;
};

TEST_F(ItemTrayTest, ItemsRoundTripInOrderAndElementType) {
  for (const VARTYPE vt : {VT_DISPATCH, VT_UNKNOWN, VT_VARIANT}) {
    SCOPED_TRACE(testing::Message() << "vt " << vt);
    ASSERT_EQ(put(tray_.get(), host::kTrayItems, copy_arg(list_of(3, vt))), S_OK);
    auto back = get(tray_.get(), host::kTrayItems);
    ASSERT_EQ(back.vt(), VT_ARRAY | vt);
    SAFEARRAY* array = *back.as_array();
    ASSERT_EQ(array->rgsabound[0].cElements, 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      const auto* cell = static_cast<const BYTE*>(array->pvData) + i * array->cbElements;
      IUnknown* element = vt == VT_VARIANT ? reinterpret_cast<const VARIANT*>(cell)->punkVal
                                           : *reinterpret_cast<IUnknown* const*>(cell);
      platform::ComPtr<IUnknown> object;
      ASSERT_EQ(element->QueryInterface(IID_IUnknown, object.put_void()), S_OK);
      EXPECT_EQ(object.get(), items_[i]->identity()) << "item " << i;
    }
  }
}

TEST_F(ItemTrayTest, BadListsAreRefusedAndChangeNothing) {
  fill(2);
  auto strings = platform::SafeArray::create_vector(VT_BSTR, 0, 1);
  auto holes = platform::SafeArray::create_vector(VT_UNKNOWN, 0, 2);  // null elements
  const Variant wrong(std::move(strings)), empty_slots(std::move(holes));
  for (VARIANT bad : {arg(3), arg(u"items"), copy_arg(wrong), copy_arg(empty_slots)}) {
    EXPECT_EQ(put(tray_.get(), host::kTrayItems, bad), E_INVALIDARG) << "vt " << bad.vt;
    EXPECT_EQ(count(), 2);
  }
  EXPECT_EQ(put(tray_.get(), host::kTrayItems, Variant().detach()), S_OK) << "empty: no items";
  EXPECT_EQ(count(), 0);
  EXPECT_EQ(get(tray_.get(), host::kTrayItems).vt(), VT_EMPTY);
}

TEST_F(ItemTrayTest, UserEditsFireContentsChangedButHostUpdatesDoNot) {
  Connection connection(tray_->identity(), host::DIID_ItemTrayEvents);
  const auto& events = connection.sink().events;
  fill(3);
  EXPECT_TRUE(events.empty()) << "filling the tray is no user edit";
  ASSERT_EQ(call(host::kTrayRemoveItem, {arg(1)}), S_OK);
  EXPECT_EQ(count(), 2);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].id, host::kTrayEventContentsChanged);
  EXPECT_EQ(call(host::kTrayRemoveItem, {arg(2)}), DISP_E_BADINDEX);

  EXPECT_TRUE(suite::controls::choose_entry(tray_->window(), 0));  // then the context menu's commands
  struct Row { int line; LONG command; LONG count_after; std::size_t events_after; };
  const Row rows[] = {
      {__LINE__, host::kTrayCommandInvertSelection, 2, 1},
      {__LINE__, host::kTrayCommandRemoveSelected, 1, 2},
      {__LINE__, host::kTrayCommandSelectNone, 1, 2},
      {__LINE__, host::kTrayCommandRemoveSelected, 1, 2},  // nothing selected: no change
      {__LINE__, host::kTrayCommandRemoveAll, 0, 3},
      {__LINE__, host::kTrayCommandRemoveAll, 0, 3},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(call(host::kTrayCommand, {arg(row.command)}), S_OK) << "line " << row.line;
    EXPECT_EQ(count(), row.count_after) << "line " << row.line;
    EXPECT_EQ(events.size(), row.events_after) << "line " << row.line;
  }
  EXPECT_EQ(call(host::kTrayCommand, {arg(4242)}), E_INVALIDARG);
}

TEST_F(ItemTrayTest, DropAsksFirstAndDeliversOnlyWhenAcceptedAndRightClickAsksForTheMenu) {
  Connection connection(tray_->identity(), host::DIID_ItemTrayEvents);
  const Variant data(platform::ComPtr<IUnknown>::borrow(items_[0]->identity()));
  Variant accepted;
  ASSERT_EQ(call(host::kTrayDrop, {copy_arg(data)}, accepted.put()), S_OK);
  EXPECT_EQ(accepted.as_bool(), false);
  connection.sink().answer = true;
  ASSERT_EQ(call(host::kTrayDrop, {copy_arg(data)}, accepted.put()), S_OK);
  EXPECT_EQ(accepted.as_bool(), true);
  SendMessageW(tray_->window(), WM_RBUTTONUP, 0, MAKELPARAM(15, 20));
  POINT at{15, 20};  // on the screen
  ClientToScreen(tray_->window(), &at);
  const std::string can_drop = std::to_string(host::kTrayEventCanDrop) + "(object,answer) ";
  EXPECT_EQ(events_text(connection.sink()), can_drop + can_drop + std::to_string(host::kTrayEventDropped) +
                                                "(object) " + std::to_string(host::kTrayEventContextMenu) + "(" +
                                                std::to_string(at.x) + "," + std::to_string(at.y) + ")");
}

TEST_F(ItemTrayTest, ViewsCaptionAndLink) {
  fill(2);
  Variant view;
  ASSERT_EQ(call(host::kTrayOpenView, {arg(host::kTrayViewKindItems.data())}, view.put()), S_OK);
  ASSERT_EQ(view.vt(), VT_DISPATCH);
  IDispatch* view_dispatch = view.get()->pdispVal;
  EXPECT_EQ(text_of(get(tray_.get(), host::kTrayViewCount)), "1");
  EXPECT_EQ(text_of(get(view_dispatch, host::kTrayViewKind)), "{51E367BE-D00C-45B6-A37A-598E92974AC5}");
  ASSERT_EQ(invoke(view_dispatch, host::kTrayViewRefresh, DISPATCH_METHOD, {}, nullptr), S_OK);
  EXPECT_EQ(text_of(get(view_dispatch, host::kTrayViewShown)), "2");
  ASSERT_EQ(call(host::kTrayCloseView, {copy_arg(view)}), S_OK);
  EXPECT_EQ(text_of(get(tray_.get(), host::kTrayViewCount)), "0");
  EXPECT_EQ(invoke(view_dispatch, host::kTrayViewRefresh, DISPATCH_METHOD, {}, nullptr), E_UNEXPECTED)
      << "a closed view shows nothing";

  ASSERT_EQ(call(host::kTraySetCaption, {arg(u"To send")}), S_OK);
  EXPECT_EQ(text_of(get(tray_.get(), host::kTrayCaption)), "To send");
  char16_t text[32]{};
  GetWindowTextW(tray_->window(), text, 32);
  EXPECT_EQ(std::u16string(text), u"To send");

  EXPECT_EQ(call(host::kTrayReleaseLink, {arg(host::kTrayLinkEmailPanes.data())}), S_FALSE)
      << "the items came with no link";
  ASSERT_EQ(put(tray_.get(), host::kTrayLinkedPane, arg(host::kTrayLinkEmailPanes.data())), S_OK);
  EXPECT_EQ(call(host::kTrayReleaseLink, {arg(host::kTrayLinkEmailPanes.data())}), S_OK);
  EXPECT_EQ(count(), 0);
  EXPECT_EQ(suite::controls::describe_control(tray_->window()), u"item tray \"To send\" items 0 selected 0 views 0");
}

TEST_F(ControlsTest, BothTrayClassesAreRegisteredAndTheActivityAreaHandsOutTheHostsOneTray) {
  for (const CLSID* clsid : {&host::CLSID_ItemTray, &host::CLSID_ItemTrayStrip}) {
    platform::ComPtr<IConnectionPointContainer> tray;
    EXPECT_EQ(CoCreateInstance(*clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IConnectionPointContainer, tray.put_void()),
              S_OK);
    ASSERT_TRUE(tray);
    EXPECT_EQ(tray.detach()->Release(), 0u);
  }
  auto activity_host = create<IActivityHost>(host::CLSID_ActivityHost);
  ASSERT_TRUE(activity_host);
  platform::ComPtr<IDispatch> area;
  ASSERT_EQ(activity_host->GetActivityArea(area.put()), S_OK);
  auto first = get(area.get(), host::kActivityAreaItemTray);
  auto second = get(area.get(), host::kActivityAreaItemTray);
  ASSERT_EQ(first.vt(), VT_DISPATCH);
  EXPECT_EQ(first.get()->pdispVal, second.get()->pdispVal);
  IDispatch* tray = first.get()->pdispVal;
  ASSERT_EQ(invoke(tray, host::kTraySetCaption, DISPATCH_METHOD, {arg(u"Items to send")}, nullptr), S_OK);
  EXPECT_EQ(text_of(get(tray, host::kTrayCaption)), "Items to send");
}

}  // namespace
