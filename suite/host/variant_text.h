// A short readable form of a VARIANT, for the records the CLI and the tests print.
#pragma once

#include <string>

#include "platform/oaidl.h"

namespace suite {

// "empty", "null", "\"text\"", "12", "I2 -1", "true", "object", "no object", "array[3]", "VT 17".
std::u16string describe_variant(const VARIANT& value);

}  // namespace suite
