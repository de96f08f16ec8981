// The cost of the COM plumbing every host call goes through: QueryInterface on the static
// table, reference counting, object creation, and firing an event to connected sinks.
#include <benchmark/benchmark.h>

#include "platform/support/connection_point.h"

namespace {

struct IFirst : IUnknown {};
struct ISecond : IUnknown {};
struct IThird : IUnknown {};
}  // namespace
PLATFORM_DECLARE_IID(IFirst, "{0B7E1A00-0001-4E0A-8C00-3A5F00000001}");
PLATFORM_DECLARE_IID(ISecond, "{0B7E1A00-0002-4E0A-8C00-3A5F00000002}");
PLATFORM_DECLARE_IID(IThird, "{0B7E1A00-0003-4E0A-8C00-3A5F00000003}");

namespace {

constexpr IID kEvents = platform::make_guid("{0B7E1A00-00EE-4E0A-8C00-3A5F000000EE}");

class Thing final : public platform::ComObject<Thing, IFirst, ISecond, IThird> {};

class Source final : public platform::ComObject<Source, IConnectionPointContainer> {
 public:
  Source() : points_(this, {kEvents}) {}
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override { return points_.EnumConnectionPoints(out); }
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
    return points_.FindConnectionPoint(iid, out);
  }
  platform::ConnectionPoint& events() { return *points_.find(kEvents); }

 private:
  platform::ConnectionPoints points_;
};

class Sink final : public platform::ComObject<Sink, IDispatch> {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    ++calls;
    return S_OK;
  }
  long calls = 0;

 protected:
  HRESULT QueryInterfaceExtra(REFIID iid, void** ppv) override {
    if (!IsEqualGUID(iid, kEvents)) return E_NOINTERFACE;
    AddRef();
    *ppv = static_cast<IDispatch*>(this);
    return S_OK;
  }
};

void QueryInterfaceLastInTable(benchmark::State& state) {
  auto thing = platform::make_com_or_throw<Thing>();
  for (auto _ : state) {
    IThird* third = nullptr;
    benchmark::DoNotOptimize(thing->QueryInterface(IID_IThird, reinterpret_cast<void**>(&third)));
    third->Release();
  }
}
BENCHMARK(QueryInterfaceLastInTable);

void CreateAndRelease(benchmark::State& state) {
  for (auto _ : state) {
    platform::ComPtr<Thing> thing;
    benchmark::DoNotOptimize(platform::make_com(thing));
  }
}
BENCHMARK(CreateAndRelease);

void FireToSinks(benchmark::State& state) {
  auto source = platform::make_com_or_throw<Source>();
  std::vector<platform::ComPtr<Sink>> sinks;
  for (int i = 0; i < state.range(0); ++i) {
    sinks.push_back(platform::make_com_or_throw<Sink>());
    DWORD cookie = 0;
    (void)source->events().Advise(sinks.back()->identity(), &cookie);
  }
  for (auto _ : state) benchmark::DoNotOptimize(source->events().fire_dispatch(1));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FireToSinks)->Arg(1)->Arg(8);

}  // namespace
