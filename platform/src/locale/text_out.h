// The buffer rules shared by the locale functions: a zero size asks for the size (terminator
// included), a short buffer gets nothing and ERROR_INSUFFICIENT_BUFFER.
#pragma once

#include <algorithm>
#include <string_view>

#include "platform/errhandlingapi.h"
#include "platform/winerror.h"

namespace platform::locale {

// True when (buffer, size) is a valid pair: a non-negative size, and a buffer unless the size is 0.
template <class Char>
bool valid_buffer(const Char* buffer, int size) {
  return size == 0 || (size > 0 && buffer);
}

template <class Char>
int copy_out(std::basic_string_view<Char> value, Char* buffer, int size) {
  const int needed = static_cast<int>(value.size()) + 1;
  if (size == 0) return needed;
  if (size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(value.begin(), value.end(), buffer);
  buffer[value.size()] = Char{};
  return needed;
}

}  // namespace platform::locale
