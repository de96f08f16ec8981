// Which VARTYPEs a VARIANT may carry and how large an array element of each type is.
#pragma once

#include "platform/oleauto.h"

namespace platform::oleauto {

// S_OK for a type a VARIANT may hold, DISP_E_BADVARTYPE otherwise.
HRESULT validate_variant_type(VARTYPE vt) noexcept;

// Bytes per SAFEARRAY element of `vt`; 0 when an array of `vt` cannot be created here.
ULONG array_element_size(VARTYPE vt) noexcept;

}  // namespace platform::oleauto
