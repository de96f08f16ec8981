// The Win32 error Windows gives for what a POSIX call reports in errno.
#pragma once

#include "platform/windef.h"

namespace platform::files {

DWORD win32_error_from_errno(int error);

// Sets the last error to win32_error_from_errno(errno) and answers FALSE, for the usual tail
// of a failing call.
BOOL fail_with_errno();
BOOL fail_with(DWORD error);

}  // namespace platform::files
