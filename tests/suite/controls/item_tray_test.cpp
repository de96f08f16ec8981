#include <gtest/gtest.h>

#include "host/activity_host.h"
#include "platform/support/control_host.h"
#include "platform/support/safe_array.h"
#include "suite/controls/control_model.h"
#include "suite/controls/control_window.h"
#include "suite/controls/item_tray.h"
#include "tests/suite/controls/controls_test_support.h"

using namespace controls_test;
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
    for (auto& item : items_) {
      EXPECT_EQ(item.detach()->Release(), 0u);
    }
    ControlsTest::TearDown();
  }

  // The first `n` items as an item list of `vt` elements.
  platform::Variant list_of(std::size_t n, VARTYPE vt = VT_DISPATCH) {
    auto array = platform::SafeArray::create_vector(vt, 0, static_cast<ULONG>(n));
    for (std::size_t i = 0; i < n; ++i) {
      const LONG index = static_cast<LONG>(i);
      HRESULT hr = E_FAIL;
      if (vt == VT_DISPATCH) hr = array.put_element(index, static_cast<IDispatch*>(items_[i].get()));
      if (vt == VT_UNKNOWN) hr = array.put_element(index, items_[i]->identity());
      if (vt == VT_VARIANT) hr = array.put_element(index, platform::Variant(platform::ComPtr<IUnknown>::borrow(items_[i]->identity())));
      EXPECT_EQ(hr, S_OK);
    }
    return platform::Variant(std::move(array));
  }

  void fill(std::size_t n) {
    ASSERT_EQ(put(tray_.get(), host::kTrayItems, copy_arg(list_of(n))), S_OK);
  }

  LONG count() { return get(tray_.get(), host::kTrayCount).as_long().value_or(-1); }

  platform::ComPtr<ItemTray> tray_;
  platform::HostedControl host_;
  std::array<platform::ComPtr<Item>, 3> items_;
};

TEST_F(ItemTrayTest, ItemsRoundTripInOrderAndElementType) {
  for (const VARTYPE vt : {VT_DISPATCH, VT_UNKNOWN, VT_VARIANT}) {
    auto list = list_of(3, vt);
    VARIANT value = *list.get();  // put() copies nothing: the test keeps ownership
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    ASSERT_EQ(tray_->Invoke(host::kTrayItems, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr),
              S_OK)
        << "vt " << vt;
    auto back = get(tray_.get(), host::kTrayItems);
    EXPECT_EQ(back.vt(), VT_ARRAY | vt) << "vt " << vt;
    auto array = platform::SafeArray::attach(*back.as_array());
    ASSERT_EQ(array.size(), 3u);
    for (LONG i = 0; i < 3; ++i) {
      platform::Variant element;
      platform::ComPtr<IUnknown> object;
      if (vt == VT_VARIANT) {
        ASSERT_EQ(array.get_element(i, element), S_OK);
        object = std::move(*element.as_unknown());
      } else if (vt == VT_DISPATCH) {
        platform::ComPtr<IDispatch> dispatch;
        ASSERT_EQ(array.get_element(i, dispatch), S_OK);
        ASSERT_EQ(dispatch->QueryInterface(IID_IUnknown, object.put_void()), S_OK);
      } else {
        ASSERT_EQ(array.get_element(i, object), S_OK);
      }
      EXPECT_EQ(object.get(), items_[static_cast<std::size_t>(i)]->identity()) << "vt " << vt << " item " << i;
    }
    (void)array.detach();  // still owned by `back`
  }
}

TEST_F(ItemTrayTest, BadListsAreRefusedAndChangeNothing) {
  fill(2);
  const struct {
    int line;
    VARIANT value;
  } rows[] = {
      {__LINE__, long_arg(3)},
      {__LINE__, suite_host_test::text_arg(u"items")},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(put(tray_.get(), host::kTrayItems, row.value), E_INVALIDARG) << "line " << row.line;
    EXPECT_EQ(count(), 2) << "line " << row.line;
  }
  auto strings = platform::SafeArray::create_vector(VT_BSTR, 0, 1);
  platform::Variant wrong(std::move(strings));
  EXPECT_EQ(put(tray_.get(), host::kTrayItems, copy_arg(wrong)), E_INVALIDARG);
  auto holes = platform::SafeArray::create_vector(VT_UNKNOWN, 0, 2);  // null elements
  platform::Variant empty_slots(std::move(holes));
  EXPECT_EQ(put(tray_.get(), host::kTrayItems, copy_arg(empty_slots)), E_INVALIDARG);
  EXPECT_EQ(count(), 2);
  VARIANT nothing;
  VariantInit(&nothing);
  EXPECT_EQ(put(tray_.get(), host::kTrayItems, nothing), S_OK);
  EXPECT_EQ(count(), 0);
  EXPECT_EQ(get(tray_.get(), host::kTrayItems).vt(), VT_EMPTY);
}

TEST_F(ItemTrayTest, UserEditsFireContentsChangedButHostUpdatesDoNot) {
  Connection connection(tray_->identity(), host::DIID_ItemTrayEvents);
  fill(3);
  EXPECT_TRUE(connection.sink().events.empty()) << "filling the tray is no user edit";
  ASSERT_EQ(invoke(tray_.get(), host::kTrayRemoveItem, DISPATCH_METHOD, {long_arg(1)}, nullptr), S_OK);
  EXPECT_EQ(count(), 2);
  ASSERT_EQ(connection.sink().events.size(), 1u);
  EXPECT_EQ(connection.sink().events[0].id, host::kTrayEventContentsChanged);
  EXPECT_EQ(invoke(tray_.get(), host::kTrayRemoveItem, DISPATCH_METHOD, {long_arg(2)}, nullptr), DISP_E_BADINDEX);

  // Select the first item, then the context menu's commands.
  EXPECT_TRUE(suite::controls::choose_entry(tray_->window(), 0));
  const struct {
    int line;
    LONG command;
    LONG count_after;
    std::size_t events_after;
  } rows[] = {
      {__LINE__, host::kTrayCommandInvertSelection, 2, 1},
      {__LINE__, host::kTrayCommandRemoveSelected, 1, 2},
      {__LINE__, host::kTrayCommandSelectNone, 1, 2},
      {__LINE__, host::kTrayCommandRemoveSelected, 1, 2},  // nothing selected: no change
      {__LINE__, host::kTrayCommandRemoveAll, 0, 3},
      {__LINE__, host::kTrayCommandRemoveAll, 0, 3},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(invoke(tray_.get(), host::kTrayCommand, DISPATCH_METHOD, {long_arg(row.command)}, nullptr), S_OK)
        << "line " << row.line;
    EXPECT_EQ(count(), row.count_after) << "line " << row.line;
    EXPECT_EQ(connection.sink().events.size(), row.events_after) << "line " << row.line;
  }
  EXPECT_EQ(invoke(tray_.get(), host::kTrayCommand, DISPATCH_METHOD, {long_arg(4242)}, nullptr), E_INVALIDARG);
}

TEST_F(ItemTrayTest, DropAsksFirstAndDeliversOnlyWhenAccepted) {
  Connection connection(tray_->identity(), host::DIID_ItemTrayEvents);
  VARIANT data;
  VariantInit(&data);
  data.vt = VT_UNKNOWN;
  data.punkVal = items_[0]->identity();
  data.punkVal->AddRef();
  VARIANT data_again;
  VariantInit(&data_again);
  ASSERT_EQ(VariantCopy(&data_again, &data), S_OK);

  platform::Variant accepted;
  ASSERT_EQ(invoke(tray_.get(), host::kTrayDrop, DISPATCH_METHOD, {data}, accepted.put()), S_OK);
  EXPECT_EQ(accepted.as_bool(), false);
  ASSERT_EQ(connection.sink().events.size(), 1u);
  EXPECT_EQ(connection.sink().events[0].id, host::kTrayEventCanDrop);
  EXPECT_EQ(connection.sink().events[0].args, (std::vector<std::u16string>{u"object", u"answer"}));

  connection.sink().answer = true;
  ASSERT_EQ(invoke(tray_.get(), host::kTrayDrop, DISPATCH_METHOD, {data_again}, accepted.put()), S_OK);
  EXPECT_EQ(accepted.as_bool(), true);
  ASSERT_EQ(connection.sink().events.size(), 3u);
  EXPECT_EQ(connection.sink().events[1].id, host::kTrayEventCanDrop);
  EXPECT_EQ(connection.sink().events[2].id, host::kTrayEventDropped);
  EXPECT_EQ(connection.sink().events[2].args, std::vector<std::u16string>{u"object"});
}

TEST_F(ItemTrayTest, RightClickAsksForTheContextMenuAtThePointer) {
  Connection connection(tray_->identity(), host::DIID_ItemTrayEvents);
  SendMessageW(tray_->window(), WM_RBUTTONUP, 0, MAKELPARAM(15, 20));
  ASSERT_EQ(connection.sink().events.size(), 1u);
  EXPECT_EQ(connection.sink().events[0].id, host::kTrayEventContextMenu);
  POINT expected{15, 20};
  ClientToScreen(tray_->window(), &expected);
  EXPECT_EQ(connection.sink().events[0].args,
            (std::vector<std::u16string>{suite::controls::format_number(expected.x),
                                         suite::controls::format_number(expected.y)}));
}

TEST_F(ItemTrayTest, ViewsCaptionAndLink) {
  fill(2);
  platform::Variant view;
  ASSERT_EQ(invoke(tray_.get(), host::kTrayOpenView, DISPATCH_METHOD,
                   {suite_host_test::text_arg(host::kTrayViewKindItems.data())}, view.put()),
            S_OK);
  ASSERT_EQ(view.vt(), VT_DISPATCH);
  IDispatch* view_dispatch = view.get()->pdispVal;
  EXPECT_EQ(text_of(get(tray_.get(), host::kTrayViewCount)), "1");
  EXPECT_EQ(text_of(get(view_dispatch, host::kTrayViewKind)), "{51E367BE-D00C-45B6-A37A-598E92974AC5}");
  ASSERT_EQ(invoke(view_dispatch, host::kTrayViewRefresh, DISPATCH_METHOD, {}, nullptr), S_OK);
  EXPECT_EQ(text_of(get(view_dispatch, host::kTrayViewShown)), "2");

  VARIANT view_arg;
  VariantInit(&view_arg);
  ASSERT_EQ(VariantCopy(&view_arg, view.get()), S_OK);
  ASSERT_EQ(invoke(tray_.get(), host::kTrayCloseView, DISPATCH_METHOD, {view_arg}, nullptr), S_OK);
  EXPECT_EQ(text_of(get(tray_.get(), host::kTrayViewCount)), "0");
  EXPECT_EQ(invoke(view_dispatch, host::kTrayViewRefresh, DISPATCH_METHOD, {}, nullptr), E_UNEXPECTED)
      << "a closed view shows nothing";

  ASSERT_EQ(invoke(tray_.get(), host::kTraySetCaption, DISPATCH_METHOD, {suite_host_test::text_arg(u"To send")},
                   nullptr),
            S_OK);
  EXPECT_EQ(text_of(get(tray_.get(), host::kTrayCaption)), "To send");
  char16_t text[32]{};
  GetWindowTextW(tray_->window(), text, 32);
  EXPECT_EQ(std::u16string(text), u"To send");

  const auto link = suite_host_test::text_arg(host::kTrayLinkEmailPanes.data());
  VARIANT link_again;
  VariantInit(&link_again);
  ASSERT_EQ(VariantCopy(&link_again, &link), S_OK);
  EXPECT_EQ(invoke(tray_.get(), host::kTrayReleaseLink, DISPATCH_METHOD, {link}, nullptr), S_FALSE)
      << "the items came with no link";
  ASSERT_EQ(put(tray_.get(), host::kTrayLinkedPane, suite_host_test::text_arg(host::kTrayLinkEmailPanes.data())), S_OK);
  EXPECT_EQ(invoke(tray_.get(), host::kTrayReleaseLink, DISPATCH_METHOD, {link_again}, nullptr), S_OK);
  EXPECT_EQ(count(), 0);
  EXPECT_EQ(suite::controls::describe_control(tray_->window()), u"item tray \"To send\" items 0 selected 0 views 0");
}

TEST_F(ItemTrayTest, BothTrayClassesAreRegistered) {
  for (const CLSID* clsid : {&host::CLSID_ItemTray, &host::CLSID_ItemTrayStrip}) {
    platform::ComPtr<IConnectionPointContainer> tray;
    EXPECT_EQ(CoCreateInstance(*clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IConnectionPointContainer, tray.put_void()),
              S_OK);
    ASSERT_TRUE(tray);
    EXPECT_EQ(tray.detach()->Release(), 0u);
  }
}

}  // namespace

namespace {

TEST_F(ControlsTest, TheActivityAreaHandsOutTheHostsOneTray) {
  auto activity_host = create<IActivityHost>(host::CLSID_ActivityHost);
  ASSERT_TRUE(activity_host);
  platform::ComPtr<IDispatch> area;
  ASSERT_EQ(activity_host->GetActivityArea(area.put()), S_OK);
  auto first = get(area.get(), host::kActivityAreaItemTray);
  auto second = get(area.get(), host::kActivityAreaItemTray);
  ASSERT_EQ(first.vt(), VT_DISPATCH);
  EXPECT_EQ(first.get()->pdispVal, second.get()->pdispVal);
  IDispatch* tray = first.get()->pdispVal;
  ASSERT_EQ(invoke(tray, host::kTraySetCaption, DISPATCH_METHOD, {suite_host_test::text_arg(u"Items to send")}, nullptr),
            S_OK);
  EXPECT_EQ(text_of(get(tray, host::kTrayCaption)), "Items to send");
}

}  // namespace
