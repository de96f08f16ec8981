// Connection points: ConnectionPoint keeps the sinks of one outgoing interface and fires
// events from a snapshot of them, so a sink may disconnect (or connect others) while it is
// called. ConnectionPoints is the set an IConnectionPointContainer object owns and forwards to.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "platform/ocidl.h"
#include "platform/support/com_object.h"

namespace platform {

class ConnectionPoint final : public ComObject<ConnectionPoint, IConnectionPoint> {
 public:
  // `container` is not owned: the container owns its points and detaches them when it dies.
  ConnectionPoint(const IID& sink_iid, IConnectionPointContainer* container);

  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;  // cookie = slot + 1
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

  const IID& sink_iid() const noexcept { return sink_iid_; }
  void detach_container() noexcept;

  // The connected sinks as the sink interface's pointers (each with its own reference).
  std::vector<ComPtr<IUnknown>> snapshot() const;
  std::size_t connection_count() const;

  // Calls `call` with every sink of a snapshot, reinterpreted as the sink interface Sink.
  // Returns the first failure a sink answered, or S_OK; every sink is called regardless.
  template <class Sink>
  HRESULT fire(const std::function<HRESULT(Sink*)>& call) const {
    HRESULT first_failure = S_OK;
    for (const auto& sink : snapshot()) {
      const HRESULT hr = call(reinterpret_cast<Sink*>(sink.get()));
      if (FAILED(hr) && SUCCEEDED(first_failure)) first_failure = hr;
    }
    return first_failure;
  }

  // Fires a dispatch event: IDispatch::Invoke(dispid) on every sink, with `args` given in
  // call order (they are passed reversed, as Invoke expects).
  HRESULT fire_dispatch(DISPID dispid, std::span<const VARIANT> args = {}) const;

 private:
  IID sink_iid_;
  IConnectionPointContainer* container_;
  mutable std::mutex mutex_;
  std::vector<ComPtr<IUnknown>> slots_;  // an empty slot is a freed cookie
};

class ConnectionPoints {
 public:
  // `container` is the object that owns this set and answers IConnectionPointContainer.
  ConnectionPoints(IConnectionPointContainer* container, std::initializer_list<IID> sink_iids);
  ~ConnectionPoints();
  ConnectionPoints(const ConnectionPoints&) = delete;
  ConnectionPoints& operator=(const ConnectionPoints&) = delete;

  HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) const;
  HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) const;

  ConnectionPoint* find(REFIID iid) const noexcept;

 private:
  std::vector<ComPtr<ConnectionPoint>> points_;
};

}  // namespace platform
