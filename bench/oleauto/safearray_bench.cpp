// SAFEARRAY element access: per-element Get/Put (a lock and a copy each) against one lock
// over the whole data, and the cost of a deep copy of a string array.
#include <benchmark/benchmark.h>

#include "platform/support/safe_array.h"

namespace {

void PutGetElementI4(benchmark::State& state) {
  const auto count = static_cast<ULONG>(state.range(0));
  platform::SafeArray array = platform::SafeArray::create_vector(VT_I4, 0, count);
  for (auto _ : state) {
    for (LONG i = 0; i < static_cast<LONG>(count); ++i) benchmark::DoNotOptimize(array.put_element(i, i));
    LONG sum = 0;
    for (LONG i = 0; i < static_cast<LONG>(count); ++i) {
      LONG value = 0;
      (void)array.get_element(i, value);
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(PutGetElementI4)->Arg(64)->Arg(4096);

void LockedLoopI4(benchmark::State& state) {
  const auto count = static_cast<ULONG>(state.range(0));
  platform::SafeArray array = platform::SafeArray::create_vector(VT_I4, 0, count);
  for (auto _ : state) {
    auto data = array.lock<LONG>();
    LONG n = 0;
    for (LONG& value : data) value = n++;
    LONG sum = 0;
    for (LONG value : data) sum += value;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(LockedLoopI4)->Arg(64)->Arg(4096);

void CopyBstrArray(benchmark::State& state) {
  const auto count = static_cast<ULONG>(state.range(0));
  platform::SafeArray array = platform::SafeArray::create_vector(VT_BSTR, 0, count);
  for (LONG i = 0; i < static_cast<LONG>(count); ++i) (void)array.put_element(i, u"C:\\Pictures\\holiday.jpg");
  for (auto _ : state) {
    platform::SafeArray copy;
    benchmark::DoNotOptimize(array.copy(copy));
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(CopyBstrArray)->Arg(64)->Arg(4096);

}  // namespace
