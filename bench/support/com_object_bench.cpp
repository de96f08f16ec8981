// The cost of the COM plumbing every host call goes through: QueryInterface on the static
// table, reference counting, object creation, and firing an event to connected sinks.
#include <benchmark/benchmark.h>

#include "platform/support/connection_point.h"
#include "tests/fakes/event_objects.h"

namespace {

struct IFirst : IUnknown {};
struct ISecond : IUnknown {};
struct IThird : IUnknown {};
}  // namespace
PLATFORM_DECLARE_IID(IFirst, "{0B7E1A00-0001-4E0A-8C00-3A5F00000001}");
PLATFORM_DECLARE_IID(ISecond, "{0B7E1A00-0002-4E0A-8C00-3A5F00000002}");
PLATFORM_DECLARE_IID(IThird, "{0B7E1A00-0003-4E0A-8C00-3A5F00000003}");

namespace {

class Thing final : public platform::ComObject<Thing, IFirst, ISecond, IThird> {};

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
  auto source = platform::make_com_or_throw<fakes::EventSource>();
  std::vector<platform::ComPtr<fakes::RecordingSink>> sinks;
  for (int i = 0; i < state.range(0); ++i) {
    sinks.push_back(platform::make_com_or_throw<fakes::RecordingSink>());
    sinks.back()->recording = false;
    DWORD cookie = 0;
    (void)source->events().Advise(sinks.back()->identity(), &cookie);
  }
  for (auto _ : state) benchmark::DoNotOptimize(source->events().fire_dispatch(1));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FireToSinks)->Arg(1)->Arg(8);

}  // namespace
