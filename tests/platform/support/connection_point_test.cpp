#include "platform/support/connection_point.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/fakes/event_objects.h"
#include "tests/platform/support/test_interfaces.h"

using platform::ComPtr;

namespace {

using fakes::kEvents;
using fakes::kOtherEvents;
using Source = fakes::EventSource;
using Sink = fakes::RecordingSink;

ComPtr<IConnectionPoint> find_point(Source* source, const IID& iid) {
  ComPtr<IConnectionPoint> point;
  EXPECT_EQ(source->FindConnectionPoint(iid, point.put()), S_OK);
  return point;
}

ComPtr<Sink> make_sink() {
  ComPtr<Sink> sink;
  EXPECT_EQ(platform::make_com(sink), S_OK);
  return sink;
}

TEST(ConnectionPoint, CookiesAreSlotPlusOneAndFreedSlotsAreReused) {
  auto source = platform::make_com_or_throw<Source>();
  auto point = find_point(source.get(), kEvents);
  auto a = make_sink(), b = make_sink(), c = make_sink();
  DWORD ca = 0, cb = 0, cc = 0;
  ASSERT_EQ(point->Advise(a->identity(), &ca), S_OK);
  ASSERT_EQ(point->Advise(b->identity(), &cb), S_OK);
  EXPECT_EQ(ca, 1u);
  EXPECT_EQ(cb, 2u);
  EXPECT_EQ(a->ref_count(), 2u) << "the point holds one reference per connection";
  ASSERT_EQ(point->Unadvise(ca), S_OK);
  EXPECT_EQ(a->ref_count(), 1u);
  ASSERT_EQ(point->Advise(c->identity(), &cc), S_OK);
  EXPECT_EQ(cc, 1u);

  struct Row {
    int line;
    DWORD cookie;
  };
  for (const Row& row : {Row{__LINE__, 0}, Row{__LINE__, ca + 5}, Row{__LINE__, 3}})
    EXPECT_EQ(point->Unadvise(row.cookie), CONNECT_E_NOCONNECTION) << "line " << row.line;
  EXPECT_EQ(point->Unadvise(cb), S_OK);
  EXPECT_EQ(point->Unadvise(cb), CONNECT_E_NOCONNECTION) << "a cookie works once";
  EXPECT_EQ(point->Unadvise(cc), S_OK);
}

TEST(ConnectionPoint, RefusesSinksWithoutTheInterfaceAndNullArguments) {
  auto source = platform::make_com_or_throw<Source>();
  auto other = find_point(source.get(), kOtherEvents);
  auto sink = make_sink();
  DWORD cookie = 99;
  EXPECT_EQ(other->Advise(sink->identity(), &cookie), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(cookie, 0u);
  EXPECT_EQ(other->Advise(nullptr, &cookie), E_POINTER);
  EXPECT_EQ(other->Advise(sink->identity(), nullptr), E_POINTER);
  EXPECT_EQ(sink->ref_count(), 1u);

  ComPtr<IConnectionPoint> none;
  EXPECT_EQ(source->FindConnectionPoint(IID_IAlpha, none.put()), CONNECT_E_NOCONNECTION);
  EXPECT_FALSE(none);
}

TEST(ConnectionPoint, FiresFromASnapshotSoSinksMayDisconnectDuringTheEvent) {
  auto source = platform::make_com_or_throw<Source>();
  auto point = find_point(source.get(), kEvents);
  auto first = make_sink(), second = make_sink();
  DWORD c1 = 0, c2 = 0;
  ASSERT_EQ(point->Advise(first->identity(), &c1), S_OK);
  ASSERT_EQ(point->Advise(second->identity(), &c2), S_OK);
  // The first sink disconnects both itself and the second one while being called.
  first->on_event = [&] {
    EXPECT_EQ(point->Unadvise(c1), S_OK);
    EXPECT_EQ(point->Unadvise(c2), S_OK);
  };
  VARIANT args[2] = {};
  args[0].vt = VT_I4;
  args[0].lVal = 10;
  args[1].vt = VT_I4;
  args[1].lVal = 20;
  EXPECT_EQ(source->events().fire_dispatch(1, args), S_OK);
  EXPECT_EQ(first->calls, std::vector<DISPID>{1});
  EXPECT_EQ(second->calls, std::vector<DISPID>{1}) << "the snapshot still reaches the second sink";
  EXPECT_EQ(first->args, (std::vector<LONG>{20, 10})) << "Invoke receives its arguments reversed";
  EXPECT_EQ(source->events().connection_count(), 0u);
  EXPECT_EQ(source->events().fire_dispatch(1), S_OK);
  EXPECT_EQ(first->calls.size(), 1u);
  EXPECT_EQ(first->ref_count(), 1u);
  EXPECT_EQ(second->ref_count(), 1u);
}

TEST(ConnectionPoint, ReportsTheFirstFailureButCallsEverySink) {
  auto source = platform::make_com_or_throw<Source>();
  auto point = find_point(source.get(), kEvents);
  auto failing = make_sink(), fine = make_sink();
  failing->answer = DISP_E_EXCEPTION;
  DWORD c1 = 0, c2 = 0;
  ASSERT_EQ(point->Advise(failing->identity(), &c1), S_OK);
  ASSERT_EQ(point->Advise(fine->identity(), &c2), S_OK);
  EXPECT_EQ(source->events().fire_dispatch(7), DISP_E_EXCEPTION);
  EXPECT_EQ(fine->calls.size(), 1u);
  EXPECT_EQ(point->Unadvise(c1), S_OK);
  EXPECT_EQ(point->Unadvise(c2), S_OK);
}

TEST(ConnectionPoint, EnumeratesConnectionsWithTheirOwnReferences) {
  auto source = platform::make_com_or_throw<Source>();
  auto point = find_point(source.get(), kEvents);
  auto a = make_sink(), b = make_sink();
  DWORD ca = 0, cb = 0;
  ASSERT_EQ(point->Advise(a->identity(), &ca), S_OK);
  ASSERT_EQ(point->Advise(b->identity(), &cb), S_OK);

  ComPtr<IEnumConnections> connections;
  ASSERT_EQ(point->EnumConnections(connections.put()), S_OK);
  CONNECTDATA data[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(connections->Next(3, data, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 2u);
  EXPECT_EQ(data[0].dwCookie, ca);
  EXPECT_EQ(data[1].dwCookie, cb);
  EXPECT_EQ(a->ref_count(), 4u) << "point + enumerator snapshot + handed-out item";
  for (ULONG i = 0; i < fetched; ++i) data[i].pUnk->Release();

  ComPtr<IEnumConnections> clone;
  ASSERT_EQ(connections->Reset(), S_OK);
  EXPECT_EQ(connections->Skip(1), S_OK);
  ASSERT_EQ(connections->Clone(clone.put()), S_OK);
  EXPECT_EQ(clone->Next(1, data, nullptr), S_OK);
  EXPECT_EQ(data[0].dwCookie, cb) << "a clone keeps the position";
  data[0].pUnk->Release();
  EXPECT_EQ(clone->Skip(5), S_FALSE);
  connections.reset();
  clone.reset();
  EXPECT_EQ(a->ref_count(), 2u);
  EXPECT_EQ(point->Unadvise(ca), S_OK);
  EXPECT_EQ(point->Unadvise(cb), S_OK);
}

TEST(ConnectionPoint, ContainerIsReachableUntilItDies) {
  auto source = platform::make_com_or_throw<Source>();
  auto point = find_point(source.get(), kEvents);
  ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(point->GetConnectionPointContainer(container.put()), S_OK);
  EXPECT_EQ(container.As<IUnknown>().get(), source->identity());
  container.reset();

  ComPtr<IEnumConnectionPoints> points;
  ASSERT_EQ(source->EnumConnectionPoints(points.put()), S_OK);
  IConnectionPoint* all[2] = {};
  ULONG fetched = 0;
  EXPECT_EQ(points->Next(2, all, &fetched), S_OK);
  ASSERT_EQ(fetched, 2u);
  IID iid{};
  EXPECT_EQ(all[1]->GetConnectionInterface(&iid), S_OK);
  EXPECT_EQ(iid, kOtherEvents);
  for (auto* p : all) p->Release();
  points.reset();

  source.reset();  // a client still holds the point: it must not reach a dead container
  EXPECT_EQ(point->GetConnectionPointContainer(container.put()), E_UNEXPECTED);
  EXPECT_FALSE(container);
}

}  // namespace
