// Numbers as Automation writes and reads them in text. Every locale is served with the
// invariant (and en-US) conventions: '.' decimal point, ',' thousands separator.
#pragma once

#include <string>
#include <string_view>

#include "platform/oleauto.h"

namespace platform::oleauto {

// Optional surrounding blanks, a sign, digits with thousands separators, a fraction and an
// exponent. S_OK, DISP_E_TYPEMISMATCH (not a number) or DISP_E_OVERFLOW (beyond any double).
HRESULT parse_number(std::u16string_view text, long double& value) noexcept;

std::u16string format_signed(LONGLONG value);
std::u16string format_unsigned(ULONGLONG value);
// `digits` significant digits, exponent form ("1E+20", "1E-05") outside the plain range.
std::u16string format_real(double value, int digits);

}  // namespace platform::oleauto
