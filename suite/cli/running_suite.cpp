#include "suite/cli/running_suite.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

#include "platform/objbase.h"
#include "platform/winbase.h"
#include "platform/winnls.h"
#include "suite/cli/commands.h"

namespace suite::cli {

RunningSuite::RunningSuite(SuiteSettings settings) : store_(use_registry_store()) {
  if (const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); FAILED(hr)) fail("cannot start COM", hr);
  if (const HRESULT hr = session_.start(std::move(settings)); FAILED(hr)) {
    CoUninitialize();
    if (!session_.start_failure().empty()) {
      std::cerr << "zozed: cannot start the suite: " << session_.start_failure() << "\n";
      throw CLI::RuntimeError(1);
    }
    fail("cannot start the suite", hr);
  }
}

RunningSuite::~RunningSuite() {
  session_.stop();
  CoFreeUnusedLibraries();
  CoUninitialize();
}

std::string hresult_text(HRESULT hr) {
  if (hr == S_OK) return "S_OK";
  if (hr == S_FALSE) return "S_FALSE";
  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
  WCHAR text[512] = {};
  if (FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(hr), 0,
                     text, 512, nullptr) == 0)
    return code;
  std::string described = platform::to_utf8(text);
  while (!described.empty() && (described.back() == '\n' || described.back() == '\r' || described.back() == ' '))
    described.pop_back();
  return std::string(code) + " " + described;
}

void fail(const std::string& what, HRESULT hr) {
  std::cerr << "zozed: " << what << ": " << hresult_text(hr) << "\n";
  if (hr == REGDB_E_CLASSNOTREG) std::cerr << "zozed: the module is not registered; run `zozed register` first\n";
  throw CLI::RuntimeError(1);
}

std::vector<std::u16string> split_roots(const std::string& text) {
  std::vector<std::u16string> roots;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(';', start), text.size());
    if (end > start) roots.push_back(platform::from_utf8(text.substr(start, end - start)));
    start = end + 1;
  }
  return roots;
}

}  // namespace suite::cli
