// Late-bound calls on an IDispatch by dispatch id, as an automation client makes them: arguments
// in their natural order, a failure raised as a ComError of IDispatch.
#pragma once

#include <initializer_list>

#include "platform/oleauto.h"
#include "platform/support/variant.h"

namespace platform {

// Calls method `id` with `args` (first argument first) and answers its result.
Variant invoke_method(IDispatch* target, DISPID id, std::initializer_list<const VARIANT*> args = {});
// Reads property `id`.
Variant get_property(IDispatch* target, DISPID id);
// Writes property `id`.
void put_property(IDispatch* target, DISPID id, const VARIANT& value);

}  // namespace platform
