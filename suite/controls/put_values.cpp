#include "suite/controls/put_values.h"

#include "platform/oleauto.h"
#include "platform/support/variant.h"

namespace suite::controls {
namespace {

platform::Variant coerce(const VARIANT& value, VARTYPE vt) {
  platform::Variant out;
  const HRESULT hr = VariantChangeType(out.get(), &value, 0, vt);
  if (FAILED(hr)) throw platform::ComError(DISP_E_TYPEMISMATCH, IID_IDispatch);
  return out;
}

}  // namespace

LONG put_long(const platform::DispatchCall& call) { return coerce(call.put_value(), VT_I4).get()->lVal; }

bool put_bool(const platform::DispatchCall& call) { return coerce(call.put_value(), VT_BOOL).get()->boolVal != 0; }

double put_double(const platform::DispatchCall& call) { return coerce(call.put_value(), VT_R8).get()->dblVal; }

std::u16string put_string(const platform::DispatchCall& call) {
  const auto value = coerce(call.put_value(), VT_BSTR);
  return std::u16string(value.as_bstr().value_or(std::u16string_view()));
}

double get_double(const platform::DispatchCall& call, UINT index) { return coerce(call.raw(index), VT_R8).get()->dblVal; }

}  // namespace suite::controls
