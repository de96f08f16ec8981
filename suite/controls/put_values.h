// The value of an automation property put, coerced to the type the property keeps; a value
// that does not convert raises DISP_E_TYPEMISMATCH.
#pragma once

#include <string>

#include "platform/support/dispatch_object.h"

namespace suite::controls {

LONG put_long(const platform::DispatchCall& call);
bool put_bool(const platform::DispatchCall& call);
double put_double(const platform::DispatchCall& call);
std::u16string put_string(const platform::DispatchCall& call);
// An argument in call order, coerced to VT_R8.
double get_double(const platform::DispatchCall& call, UINT index);

}  // namespace suite::controls
