// The classes the module serves, in object-map order, and its (un)registration.
#pragma once

#include <span>

#include "platform/support/class_factory.h"

namespace zozed {

std::span<const platform::ClassEntry> class_map();
HRESULT register_server();
HRESULT unregister_server();

}  // namespace zozed
