// Throughput of the conversions the module runs most: UTF-8 both ways and the ANSI code page.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/winnls.h"

namespace {

std::u16string sample(bool ascii_only, std::size_t length) {
  const std::u16string piece = ascii_only ? u"IMG_0042.jpg " : u"Ærø Łódź 東京.jpg ";
  std::u16string text;
  while (text.size() < length) text += piece;
  text.resize(length);
  return text;
}

void BM_ToUtf8(benchmark::State& state) {
  const std::u16string text = sample(state.range(1) != 0, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(platform::to_utf8(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0) * 2);
}

void BM_FromUtf8(benchmark::State& state) {
  const std::string text = platform::to_utf8(sample(state.range(1) != 0, static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(platform::from_utf8(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

void BM_Narrow1252(benchmark::State& state) {
  const std::u16string text = sample(state.range(1) != 0, static_cast<std::size_t>(state.range(0)));
  bool used = false;
  for (auto _ : state) benchmark::DoNotOptimize(platform::narrow(text, 1252, &used));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0) * 2);
}

void BM_Widen1252(benchmark::State& state) {
  const std::string text = platform::narrow(sample(state.range(1) != 0, static_cast<std::size_t>(state.range(0))), 1252);
  for (auto _ : state) benchmark::DoNotOptimize(platform::widen(text, 1252));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

// The e-mail hand-off's question, through the Win32 function: size query with lpUsedDefaultChar.
void BM_WideCharToMultiByteUsedDefault(benchmark::State& state) {
  const std::u16string name = u"Łódź 2023-07-14 sunset.jpg";
  for (auto _ : state) {
    BOOL used = FALSE;
    benchmark::DoNotOptimize(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, nullptr, 0,
                                                 nullptr, &used));
    benchmark::DoNotOptimize(used);
  }
}

#define TEXT_SIZES ArgsProduct({{16, 256, 65536}, {1, 0}})
BENCHMARK(BM_ToUtf8)->TEXT_SIZES;
BENCHMARK(BM_FromUtf8)->TEXT_SIZES;
BENCHMARK(BM_Narrow1252)->TEXT_SIZES;
BENCHMARK(BM_Widen1252)->TEXT_SIZES;
BENCHMARK(BM_WideCharToMultiByteUsedDefault);

}  // namespace
