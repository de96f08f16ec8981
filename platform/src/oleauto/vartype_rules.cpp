// VARTYPE validity and element sizes, as the Windows automation runtime applies them.
#include "platform/src/oleauto/vartype_rules.h"

namespace platform::oleauto {

HRESULT validate_variant_type(VARTYPE vt) noexcept {
  const VARTYPE base = vt & VT_TYPEMASK;
  const VARTYPE extra = vt & ~VT_TYPEMASK;
  if (extra & (VT_VECTOR | VT_RESERVED)) return DISP_E_BADVARTYPE;
  // 15 is a hole in the enumeration; VT_VOID and above are type-description types only.
  // Records would need IRecordInfo, which this platform does not provide.
  const bool base_ok = base < VT_VOID && base != 15;
  if (!base_ok) return DISP_E_BADVARTYPE;
  if ((extra & (VT_BYREF | VT_ARRAY)) && base <= VT_NULL) return DISP_E_BADVARTYPE;
  return S_OK;
}

ULONG array_element_size(VARTYPE vt) noexcept {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_R4:
    case VT_ERROR:
    case VT_INT:
    case VT_UINT:
      return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_UI8:
      return 8;
    case VT_BSTR:
    case VT_UNKNOWN:
    case VT_DISPATCH:
    case VT_INT_PTR:
    case VT_UINT_PTR:
      return sizeof(void*);
    case VT_VARIANT:
      return sizeof(VARIANT);
    case VT_DECIMAL:
      return sizeof(DECIMAL);
    default:
      return 0;  // VT_EMPTY, VT_NULL, VT_RECORD (needs IRecordInfo) and the rest
  }
}

}  // namespace platform::oleauto
