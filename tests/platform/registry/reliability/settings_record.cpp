#include "tests/platform/registry/reliability/settings_record.h"

#include <cstdio>
#include <cstring>

namespace reliability {
namespace {

std::string name_of(int i) { return "Value " + std::to_string(i); }

// Value i of generation gen: DWORDs, a string and a 4 KB block that spans database pages.
void value_of(int i, DWORD gen, DWORD& type, std::vector<BYTE>& data) {
  if (i < 7) {
    type = REG_DWORD;
    const DWORD v = gen * 16 + static_cast<DWORD>(i);
    data.assign(reinterpret_cast<const BYTE*>(&v), reinterpret_cast<const BYTE*>(&v) + 4);
  } else if (i == 7) {
    type = REG_SZ;
    const std::string text = "generation " + std::to_string(gen);
    data.assign(text.c_str(), text.c_str() + text.size() + 1);
  } else {
    type = REG_BINARY;
    // The generation first, then bytes that differ from one generation to the next.
    data.resize(4096);
    std::memcpy(data.data(), &gen, 4);
    for (std::size_t j = 4; j < data.size(); ++j) data[j] = static_cast<BYTE>(gen * 131 + j * 7);
  }
}

// The generation the value's bytes came from, or -1 when no save wrote exactly these bytes.
long long gen_of(int i, DWORD type, const std::vector<BYTE>& data) {
  DWORD candidate = 0;
  if (i < 7) {
    if (data.size() != 4) return -1;
    std::memcpy(&candidate, data.data(), 4);
    candidate /= 16;
  } else if (i == 7) {
    const std::string text(data.begin(), data.end());
    if (std::sscanf(text.c_str(), "generation %u", &candidate) != 1) return -1;
  } else {
    if (data.size() < 4) return -1;
    std::memcpy(&candidate, data.data(), 4);
  }
  DWORD expected_type;
  std::vector<BYTE> expected;
  value_of(i, candidate, expected_type, expected);
  return expected_type == type && expected == data ? static_cast<long long>(candidate) : -1;
}

}  // namespace

LONG save_record(DWORD gen) {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, kRecordKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  for (int i = 0; i < kRecordValues && rc == ERROR_SUCCESS; ++i) {
    DWORD type;
    std::vector<BYTE> data;
    value_of(i, gen, type, data);
    rc = RegSetValueExA(key, name_of(i).c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
  }
  RegCloseKey(key);
  return rc;
}

RecordState read_record() {
  RecordState state;
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, kRecordKey, &key) != ERROR_SUCCESS) {
    state.problem = "the key is missing";
    return state;
  }
  std::vector<std::pair<DWORD, std::vector<BYTE>>> values;
  for (int i = 0; i < kRecordValues; ++i) {
    DWORD type = 0;
    DWORD size = 0;
    const std::string name = name_of(i);
    std::vector<BYTE> data;
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
      data.resize(size);
      rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size);
    }
    if (rc != ERROR_SUCCESS) {
      state.problem = name + " cannot be read (error " + std::to_string(rc) + ")";
      RegCloseKey(key);
      return state;
    }
    values.emplace_back(type, std::move(data));
  }
  RegCloseKey(key);
  for (int i = 0; i < kRecordValues; ++i) {
    const long long gen = gen_of(i, values[i].first, values[i].second);
    if (gen < 0) {
      state.problem = name_of(i) + " holds bytes that no save wrote";
      return state;
    }
    state.gens.push_back(gen);
  }
  state.readable = true;
  return state;
}

}  // namespace reliability
