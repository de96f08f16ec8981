#include "platform/support/connection_point.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/fakes/event_objects.h"
#include "tests/platform/support/test_interfaces.h"

using platform::ComPtr;

namespace {

using fakes::kEvents;
using fakes::kOtherEvents;
using Sink = fakes::RecordingSink;

// An event source, its kEvents point and sinks made on demand.
class ConnectionPoint : public ::testing::Test {
 protected:
  ConnectionPoint() { EXPECT_EQ(source_->FindConnectionPoint(kEvents, point_.put()), S_OK); }
  ComPtr<Sink> sink() { return platform::make_com_or_throw<Sink>(); }
  DWORD advise(const ComPtr<Sink>& sink) {
    DWORD cookie = 0;
    EXPECT_EQ(point_->Advise(sink->identity(), &cookie), S_OK);
    return cookie;
  }

  ComPtr<fakes::EventSource> source_ = platform::make_com_or_throw<fakes::EventSource>();
  ComPtr<IConnectionPoint> point_;
};

TEST_F(ConnectionPoint, CookiesAreSlotPlusOneAndFreedSlotsAreReused) {
  auto a = sink(), b = sink(), c = sink();
  const DWORD ca = advise(a), cb = advise(b);
  EXPECT_EQ(ca, 1u);
  EXPECT_EQ(cb, 2u);
  EXPECT_EQ(a->ref_count(), 2u) << "the point holds one reference per connection";
  ASSERT_EQ(point_->Unadvise(ca), S_OK);
  EXPECT_EQ(a->ref_count(), 1u);
  const DWORD cc = advise(c);
  EXPECT_EQ(cc, 1u);
  for (DWORD unknown : {0u, ca + 5, 3u}) EXPECT_EQ(point_->Unadvise(unknown), CONNECT_E_NOCONNECTION) << unknown;
  EXPECT_EQ(point_->Unadvise(cb), S_OK);
  EXPECT_EQ(point_->Unadvise(cb), CONNECT_E_NOCONNECTION) << "a cookie works once";
  EXPECT_EQ(point_->Unadvise(cc), S_OK);
}

TEST_F(ConnectionPoint, RefusesSinksWithoutTheInterfaceAndNullArguments) {
  ComPtr<IConnectionPoint> other;
  ASSERT_EQ(source_->FindConnectionPoint(kOtherEvents, other.put()), S_OK);
  auto s = sink();
  DWORD cookie = 99;
  EXPECT_EQ(other->Advise(s->identity(), &cookie), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(cookie, 0u);
  EXPECT_EQ(other->Advise(nullptr, &cookie), E_POINTER);
  EXPECT_EQ(other->Advise(s->identity(), nullptr), E_POINTER);
  EXPECT_EQ(s->ref_count(), 1u);
  ComPtr<IConnectionPoint> none;
  EXPECT_EQ(source_->FindConnectionPoint(IID_IAlpha, none.put()), CONNECT_E_NOCONNECTION);
  EXPECT_FALSE(none);
}

TEST_F(ConnectionPoint, FiresFromASnapshotCallingEverySinkAndReportsTheFirstFailure) {
  auto first = sink(), second = sink();
  const DWORD c1 = advise(first), c2 = advise(second);
  // The first sink disconnects both itself and the second one while being called.
  first->on_event = [&] {
    EXPECT_EQ(point_->Unadvise(c1), S_OK);
    EXPECT_EQ(point_->Unadvise(c2), S_OK);
  };
  first->answer = DISP_E_EXCEPTION;
  VARIANT args[2] = {};
  args[0].vt = args[1].vt = VT_I4;
  args[0].lVal = 10;
  args[1].lVal = 20;
  EXPECT_EQ(source_->events().fire_dispatch(1, args), DISP_E_EXCEPTION);
  EXPECT_EQ(first->calls, std::vector<DISPID>{1});
  EXPECT_EQ(second->calls, std::vector<DISPID>{1}) << "the snapshot still reaches the second sink";
  EXPECT_EQ(first->args, (std::vector<LONG>{20, 10})) << "Invoke receives its arguments reversed";
  EXPECT_EQ(source_->events().connection_count(), 0u);
  EXPECT_EQ(source_->events().fire_dispatch(1), S_OK);
  EXPECT_EQ(first->calls.size(), 1u);
  EXPECT_EQ(first->ref_count(), 1u);
  EXPECT_EQ(second->ref_count(), 1u);
}

TEST_F(ConnectionPoint, EnumeratesConnectionsWithTheirOwnReferences) {
  auto a = sink(), b = sink();
  const DWORD ca = advise(a), cb = advise(b);
  ComPtr<IEnumConnections> connections;
  ASSERT_EQ(point_->EnumConnections(connections.put()), S_OK);
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
  EXPECT_EQ(point_->Unadvise(ca), S_OK);
  EXPECT_EQ(point_->Unadvise(cb), S_OK);
}

TEST_F(ConnectionPoint, ContainerIsReachableUntilItDies) {
  ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(point_->GetConnectionPointContainer(container.put()), S_OK);
  EXPECT_EQ(container.As<IUnknown>().get(), source_->identity());
  container.reset();
  ComPtr<IEnumConnectionPoints> points;
  ASSERT_EQ(source_->EnumConnectionPoints(points.put()), S_OK);
  IConnectionPoint* all[2] = {};
  ULONG fetched = 0;
  EXPECT_EQ(points->Next(2, all, &fetched), S_OK);
  ASSERT_EQ(fetched, 2u);
  IID iid{};
  EXPECT_EQ(all[1]->GetConnectionInterface(&iid), S_OK);
  EXPECT_EQ(iid, kOtherEvents);
  for (auto* p : all) p->Release();
  points.reset();
  source_.reset();  // a client still holds the point: it must not reach a dead container
  EXPECT_EQ(point_->GetConnectionPointContainer(container.put()), E_UNEXPECTED);
  EXPECT_FALSE(container);
}

}  // namespace
