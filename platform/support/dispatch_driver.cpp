#include "platform/support/dispatch_driver.h"

#include <vector>

namespace platform {

namespace {

Variant invoke(IDispatch* target, DISPID id, WORD flags, DISPPARAMS& params) {
  if (!target) throw ComError(E_POINTER, IID_IDispatch);
  Variant result;
  EXCEPINFO exception{};
  UINT bad_argument = 0;
  const HRESULT hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.put(), &exception,
                                    &bad_argument);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  check<IDispatch>(hr);
  return result;
}

}  // namespace

Variant invoke_method(IDispatch* target, DISPID id, std::initializer_list<const VARIANT*> args) {
  // DISPPARAMS holds the arguments last first; Invoke does not change them.
  std::vector<VARIANT> reversed;
  reversed.reserve(args.size());
  for (auto it = args.end(); it != args.begin();) reversed.push_back(**--it);
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  return invoke(target, id, DISPATCH_METHOD, params);
}

Variant get_property(IDispatch* target, DISPID id) {
  DISPPARAMS params{nullptr, nullptr, 0, 0};
  return invoke(target, id, DISPATCH_PROPERTYGET, params);
}

void put_property(IDispatch* target, DISPID id, const VARIANT& value) {
  VARIANT argument = value;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&argument, &named, 1, 1};
  (void)invoke(target, id, DISPATCH_PROPERTYPUT, params);
}

}  // namespace platform
