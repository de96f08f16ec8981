// The suite's own English texts, addressed by the numbers components ask for.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/windef.h"

namespace suite {

struct HostString {
  LONG id;
  std::u16string_view text;
};

// Every text, in ascending number order.
std::span<const HostString> host_strings() noexcept;
std::optional<std::u16string_view> find_host_string(LONG id) noexcept;

}  // namespace suite
