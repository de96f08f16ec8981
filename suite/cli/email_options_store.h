// The per-user e-mail options record as the e-mail panes keep it, read and written by value
// name from the command line: the same value types, defaults and size checks as the panes'.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windef.h"

namespace suite::cli {

inline constexpr char kEmailOptionsKey[] =
    "Software\\Quarn\\Tessagram7\\QuarnTessagram\\Client\\Options\\TSGShare\\EmailOptions";

enum class EmailOptionKind { Boolean, Number, Location };

struct EmailOptionSpec {
  const char* name;
  EmailOptionKind kind;
  DWORD fallback;  // Booleans: 1 Yes, 0 No
};

struct EmailOptionValue {
  bool stored = false;
  DWORD number = 0;  // Booleans and numbers
  std::u16string text;
};

// In the order the record reads and writes them.
std::span<const EmailOptionSpec> email_option_specs();

// Every option, index for index with email_option_specs(); a value of another type or size
// counts as not stored and shows its default.
std::vector<EmailOptionValue> read_email_options();
// Writes the whole record. Throws std::runtime_error when a value cannot be written.
void write_email_options(const std::vector<EmailOptionValue>& values);
// Applies "Name=Value" (names in any case). Throws std::invalid_argument saying what is wrong.
void apply_email_option(std::vector<EmailOptionValue>& values, const std::string& assignment);
// The value as the user writes it ("Yes", "800", a folder).
std::string shown_email_option(const EmailOptionSpec& spec, const EmailOptionValue& value);
// The number or Boolean of option `name`; its default when there is no such option stored.
DWORD email_option_number(const std::vector<EmailOptionValue>& values, std::string_view name);

}  // namespace suite::cli
