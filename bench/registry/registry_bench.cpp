// Settings reads and writes through the A functions, on the SQLite store in a file (synced
// at every commit) and on the memory store for comparison.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/winreg.h"

namespace {

constexpr const char* kKey = "Software\\Bench\\Options";
constexpr const char* kNames[] = {"Optimization", "Resolution", "Max Size Photo", "Warn Att Exceeds",
                                  "Max Size Att", "MethodSend", "Send Options"};

// The process's registry for one benchmark; a file store lives in a folder of its own.
class BenchStore {
 public:
  explicit BenchStore(bool file)
      : folder_(std::filesystem::temp_directory_path() / ("registry-bench-" + std::to_string(::getpid()))) {
    if (file) {
      std::filesystem::create_directories(folder_);
      platform::registry::use_store(platform::registry::open_store((folder_ / "registry.db").string()));
    } else {
      platform::registry::use_store(platform::registry::make_memory_store());
    }
  }
  ~BenchStore() {
    platform::registry::use_store(nullptr);
    std::filesystem::remove_all(folder_);
  }

 private:
  std::filesystem::path folder_;
};

void seed() {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  for (const char* name : kNames) {
    const DWORD v = 42;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
  }
  RegCloseKey(key);
}

// Loading a settings record: open, seven DWORD reads, close.
void BM_SettingsRead(benchmark::State& state) {
  BenchStore store(state.range(0) != 0);
  seed();
  for (auto _ : state) {
    HKEY key = nullptr;
    RegOpenKeyA(HKEY_CURRENT_USER, kKey, &key);
    for (const char* name : kNames) {
      DWORD v = 0, size = 4;
      benchmark::DoNotOptimize(RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&v), &size));
    }
    RegCloseKey(key);
  }
  state.SetLabel(state.range(0) ? "sqlite file" : "memory");
}
BENCHMARK(BM_SettingsRead)->Arg(1)->Arg(0);

// One value saved: a transaction of its own, synced to disk on the file store.
void BM_SettingWrite(benchmark::State& state) {
  BenchStore store(state.range(0) != 0);
  seed();
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  DWORD v = 0;
  for (auto _ : state) {
    ++v;
    benchmark::DoNotOptimize(RegSetValueExA(key, "Resolution", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4));
  }
  RegCloseKey(key);
  state.SetLabel(state.range(0) ? "sqlite file" : "memory");
}
BENCHMARK(BM_SettingWrite)->Arg(1)->Arg(0);

}  // namespace
