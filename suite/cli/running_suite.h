// RunningSuite: what a task command needs before it talks to the module: the registry store,
// COM on this thread, and the suite's host objects registered. Ends them in reverse order.
#pragma once

#include <memory>
#include <string>

#include "platform/winreg.h"
#include "suite/host/suite_session.h"

namespace suite::cli {

class RunningSuite {
 public:
  // Prints why and throws CLI::RuntimeError when the store cannot be opened or the suite not started.
  explicit RunningSuite(SuiteSettings settings = {});
  ~RunningSuite();
  RunningSuite(const RunningSuite&) = delete;
  RunningSuite& operator=(const RunningSuite&) = delete;

  Session& session() noexcept { return session_; }

 private:
  std::shared_ptr<platform::registry::RegistryStore> store_;
  Session session_;
};

// "0x80040154 Class not registered" and the like.
std::string hresult_text(HRESULT hr);
// Prints "zozed: <what>: <hresult_text>" (with a hint to register the module when the class is
// not registered) and throws CLI::RuntimeError.
[[noreturn]] void fail(const std::string& what, HRESULT hr);

// Splits "A;B;C" into roots, dropping empty parts.
std::vector<std::u16string> split_roots(const std::string& text);

}  // namespace suite::cli
