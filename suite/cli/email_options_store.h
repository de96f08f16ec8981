// The per-user e-mail options as the module keeps them in the registry, shown and changed by value
// name from the command line. The module owns the record: it fills in its defaults the first time
// it loads it, and the command line only reads and edits what is stored, each value by the type
// it is stored with.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/windef.h"

namespace suite::cli {

inline constexpr char kEmailOptionsKey[] =
    "Software\\Quarn\\Tessagram7\\QuarnTessagram\\Client\\Options\\TSGShare\\EmailOptions";

struct StoredOption {
  std::string name;  // as stored
  DWORD type = 0;
  DWORD number = 0;     // REG_DWORD
  std::u16string text;  // REG_SZ

  // A REG_SZ holding "Yes" or "No", the form the record keeps its switches in.
  bool is_switch() const;
  bool is_on() const { return is_switch() && text == u"Yes"; }
  // The value as the user writes it ("Yes", "800", a folder).
  std::string shown() const;
};

// Has the module load its e-mail options once, as each e-mail pane does when it is made, so that
// every value is stored with the module's default. Needs the running suite and the registered
// module; prints why and fails the command when the module cannot be created.
void complete_email_options();

// The stored values, in the order they are stored.
std::vector<StoredOption> read_email_options();
// The value named `name` (any case); null when there is none.
const StoredOption* find_email_option(const std::vector<StoredOption>& options, std::string_view name);

// Applies "Name=Value" to the stored value of that name, keeping its type. Throws
// std::invalid_argument saying what is wrong (no such option, a value the record cannot hold),
// std::runtime_error when the registry refuses the write.
void set_email_option(const std::string& assignment);

// Every value of the options key as it stands, put back exactly (values added meanwhile removed)
// by restore(): a change meant for one run stays one run.
class EmailOptionsSnapshot {
 public:
  EmailOptionsSnapshot();
  void restore() const;

 private:
  struct Value {
    std::u16string name;
    DWORD type;
    std::vector<unsigned char> data;
  };
  bool existed_ = false;
  std::vector<Value> values_;
};

}  // namespace suite::cli
