#include "platform/support/connection_point.h"

#include "platform/support/enumerator.h"

namespace platform {

namespace {

CONNECTDATA connect_data_of(const CONNECTDATA& stored) {
  if (stored.pUnk) stored.pUnk->AddRef();
  return stored;
}

IConnectionPoint* point_of(const ComPtr<IConnectionPoint>& stored) {
  IConnectionPoint* p = stored.get();
  if (p) p->AddRef();
  return p;
}

// Holds the references of a CONNECTDATA list for the enumerator's lifetime.
struct OwnedConnectData : CONNECTDATA {
  OwnedConnectData(IUnknown* unk, DWORD cookie) : CONNECTDATA{unk, cookie} {
    if (pUnk) pUnk->AddRef();
  }
  OwnedConnectData(const OwnedConnectData& other) : OwnedConnectData(other.pUnk, other.dwCookie) {}
  OwnedConnectData& operator=(const OwnedConnectData&) = delete;
  ~OwnedConnectData() {
    if (pUnk) pUnk->Release();
  }
};

CONNECTDATA hand_out_connection(const OwnedConnectData& stored) { return connect_data_of(stored); }

using ConnectionsEnum = SnapshotEnumerator<IEnumConnections, CONNECTDATA, OwnedConnectData, &hand_out_connection>;
using PointsEnum = SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*, ComPtr<IConnectionPoint>, &point_of>;

}  // namespace

ConnectionPoint::ConnectionPoint(const IID& sink_iid, IConnectionPointContainer* container)
    : sink_iid_(sink_iid), container_(container) {}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = sink_iid_;
  return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  std::lock_guard lock(mutex_);
  *container = container_;
  if (!container_) return E_UNEXPECTED;
  container_->AddRef();
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  return com_boundary([&]() -> HRESULT {
    ComPtr<IUnknown> typed;
    if (FAILED(sink->QueryInterface(sink_iid_, typed.put_void()))) return CONNECT_E_CANNOTCONNECT;
    std::lock_guard lock(mutex_);
    std::size_t slot = 0;
    while (slot < slots_.size() && slots_[slot]) ++slot;
    if (slot == slots_.size())
      slots_.push_back(std::move(typed));
    else
      slots_[slot] = std::move(typed);
    *cookie = static_cast<DWORD>(slot + 1);
    return S_OK;
  });
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
  ComPtr<IUnknown> released;  // released outside the lock: the sink may call back into us
  {
    std::lock_guard lock(mutex_);
    if (cookie == 0 || cookie > slots_.size() || !slots_[cookie - 1]) return CONNECT_E_NOCONNECTION;
    released = std::move(slots_[cookie - 1]);
    while (!slots_.empty() && !slots_.back()) slots_.pop_back();
  }
  return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (!connections) return E_POINTER;
  *connections = nullptr;
  return com_boundary([&] {
    std::vector<OwnedConnectData> list;
    {
      std::lock_guard lock(mutex_);
      for (std::size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i]) list.emplace_back(slots_[i].get(), static_cast<DWORD>(i + 1));
    }
    return create_com<ConnectionsEnum>(IID_IEnumConnections, reinterpret_cast<void**>(connections), std::move(list));
  });
}

void ConnectionPoint::detach_container() noexcept {
  std::lock_guard lock(mutex_);
  container_ = nullptr;
}

std::vector<ComPtr<IUnknown>> ConnectionPoint::snapshot() const {
  std::lock_guard lock(mutex_);
  std::vector<ComPtr<IUnknown>> sinks;
  sinks.reserve(slots_.size());
  for (const auto& slot : slots_)
    if (slot) sinks.push_back(slot.copy());
  return sinks;
}

std::size_t ConnectionPoint::connection_count() const {
  std::lock_guard lock(mutex_);
  std::size_t n = 0;
  for (const auto& slot : slots_) n += slot ? 1 : 0;
  return n;
}

HRESULT ConnectionPoint::fire_dispatch(DISPID dispid, std::span<const VARIANT> args) const {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());  // shallow: Invoke only reads them
  return fire<IDispatch>([&](IDispatch* sink) {
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return sink->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  });
}

ConnectionPoints::ConnectionPoints(IConnectionPointContainer* container, std::initializer_list<IID> sink_iids) {
  for (const auto& iid : sink_iids) points_.push_back(make_com_or_throw<ConnectionPoint>(iid, container));
}

ConnectionPoints::~ConnectionPoints() {
  for (auto& point : points_) point->detach_container();
}

HRESULT ConnectionPoints::EnumConnectionPoints(IEnumConnectionPoints** points) const {
  if (!points) return E_POINTER;
  *points = nullptr;
  return com_boundary([&] {
    std::vector<ComPtr<IConnectionPoint>> list;
    for (const auto& point : points_) list.push_back(ComPtr<IConnectionPoint>::borrow(point.get()));
    return create_com<PointsEnum>(IID_IEnumConnectionPoints, reinterpret_cast<void**>(points), std::move(list));
  });
}

HRESULT ConnectionPoints::FindConnectionPoint(REFIID iid, IConnectionPoint** point) const {
  if (!point) return E_POINTER;
  *point = nullptr;
  ConnectionPoint* found = find(iid);
  if (!found) return CONNECT_E_NOCONNECTION;
  found->AddRef();
  *point = found;
  return S_OK;
}

ConnectionPoint* ConnectionPoints::find(REFIID iid) const noexcept {
  for (const auto& point : points_)
    if (IsEqualGUID(point->sink_iid(), iid)) return point.get();
  return nullptr;
}

}  // namespace platform
