// The registration scripts the module runs to register and unregister itself.
#pragma once

#include <span>
#include <string_view>

namespace zozed {

struct RegistrationScript {
  int resource_id;  // the REGISTRY resource the script stands for
  std::u16string_view text;
};

// In object-map order; the later of two scripts writing the same entry wins.
std::span<const RegistrationScript> registration_scripts();

}  // namespace zozed
