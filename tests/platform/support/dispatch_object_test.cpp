#include "platform/support/dispatch_object.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>
#include <string>

#include "tests/platform/support/test_interfaces.h"

using platform::ComPtr;
using platform::DispatchCall;
using platform::DispatchMember;
using platform::Variant;

namespace {

constexpr IID kEvents = platform::make_guid("{6A0F5A10-00D0-4C1B-9E00-5D8E2C0000D0}");

class Counter final : public platform::DispatchObject<Counter, IDispatch> {
 public:
  static std::span<const DispatchMember<Counter>> dispatch_members() {
    static constexpr DispatchMember<Counter> kMembers[] = {
        {1, u"Count", DISPATCH_PROPERTYGET, &Counter::count},
        {2, u"Add", DISPATCH_METHOD, &Counter::add},
        {3, u"Name", DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT, &Counter::name},
        {4, u"Fail", DISPATCH_METHOD, &Counter::fail},
        {5, u"Self", DISPATCH_PROPERTYGET, &Counter::self},
    };
    return kMembers;
  }
  static const IID& dispinterface_iid() { return kEvents; }

  LONG total = 0;
  std::u16string label = u"start";

 private:
  HRESULT count(const DispatchCall& call) {
    call.set_result(total);
    return S_OK;
  }
  // Add(amount, [times]) adds amount once, or `times` times when given.
  HRESULT add(const DispatchCall& call) {
    const LONG times = call.has(1) ? call.get_long(1) : 1;
    total += call.get_long(0) * times;
    call.set_result(total);
    return S_OK;
  }
  HRESULT name(const DispatchCall& call) {
    if (call.flags() & DISPATCH_PROPERTYPUT) {
      Variant text;
      VARIANT source = call.put_value();
      if (FAILED(VariantChangeType(text.put(), &source, 0, VT_BSTR))) return DISP_E_TYPEMISMATCH;
      label.assign(text.get()->bstrVal, SysStringLen(text.get()->bstrVal));
      return S_OK;
    }
    call.set_result(std::u16string_view(label));
    return S_OK;
  }
  HRESULT fail(const DispatchCall&) {
    platform::check<IAlpha>(E_ACCESSDENIED);
    return S_OK;
  }
  HRESULT self(const DispatchCall& call) {
    call.set_result(static_cast<IDispatch*>(this));
    return S_OK;
  }
};

VARIANT long_arg(LONG v) { return *Variant(v).get(); }  // no resources to free

// Invokes with arguments in call order; returns the HRESULT and fills `result`.
HRESULT call(IDispatch* d, DISPID id, WORD flags, std::vector<VARIANT> args, Variant& result, UINT* arg_err = nullptr) {
  std::reverse(args.begin(), args.end());
  DISPPARAMS params{args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  return d->Invoke(id, IID_NULL, 0, flags, &params, result.put(), nullptr, arg_err);
}

TEST(DispatchObject, NamesResolveCaseInsensitivelyAndUnknownNamesFail) {
  auto counter = platform::make_com_or_throw<Counter>();
  struct Row { int line; std::u16string name; HRESULT hr; DISPID id; };
  const Row rows[] = {
      {__LINE__, u"Count", S_OK, 1},
      {__LINE__, u"nAME", S_OK, 3},
      {__LINE__, u"Missing", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
  };
  for (const auto& row : rows) {
    std::u16string text = row.name;
    LPOLESTR names[] = {text.data()};
    DISPID id = 1234;
    EXPECT_EQ(counter->GetIDsOfNames(IID_NULL, names, 1, 0, &id), row.hr) << "line " << row.line;
    EXPECT_EQ(id, row.id) << "line " << row.line;
  }
}

TEST(DispatchObject, ArgumentsArriveInCallOrderAndAreCoerced) {
  auto counter = platform::make_com_or_throw<Counter>();
  Variant result;
  EXPECT_EQ(call(counter.get(), 2, DISPATCH_METHOD, {long_arg(3), long_arg(4)}, result), S_OK);
  EXPECT_EQ(result.as_long(), 12) << "3 added 4 times: the first argument is the amount";

  Variant text(std::u16string_view(u"5"));
  EXPECT_EQ(call(counter.get(), 2, DISPATCH_METHOD, {*text.get()}, result), S_OK);
  EXPECT_EQ(result.as_long(), 17) << "a numeric string is coerced to a number";

  VARIANT omitted;
  VariantInit(&omitted);
  omitted.vt = VT_ERROR;
  omitted.scode = DISP_E_PARAMNOTFOUND;
  EXPECT_EQ(call(counter.get(), 2, DISPATCH_METHOD, {long_arg(1), omitted}, result), S_OK);
  EXPECT_EQ(result.as_long(), 18) << "an omitted optional argument is not there";
}

TEST(DispatchObject, FailuresReportTheRightCodeAndArgument) {
  auto counter = platform::make_com_or_throw<Counter>();
  Variant result;
  Variant word(std::u16string_view(u"five"));
  UINT arg_err = 99;
  EXPECT_EQ(call(counter.get(), 2, DISPATCH_METHOD, {long_arg(1), *word.get()}, result, &arg_err), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(arg_err, 0u) << "the second argument sits at rgvarg[0]";
  EXPECT_EQ(call(counter.get(), 2, DISPATCH_METHOD, {}, result), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(call(counter.get(), 77, DISPATCH_METHOD, {}, result), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(call(counter.get(), 2, DISPATCH_PROPERTYPUT, {}, result), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(call(counter.get(), 4, DISPATCH_METHOD, {}, result), E_ACCESSDENIED) << "a ComError becomes its code";
  EXPECT_EQ(counter->total, 0);

  DISPPARAMS none{};
  EXPECT_EQ(counter->Invoke(1, IID_IAlpha, 0, DISPATCH_PROPERTYGET, &none, result.put(), nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
}

TEST(DispatchObject, PropertiesObjectResultsAndTheEventInterface) {
  auto counter = platform::make_com_or_throw<Counter>();
  Variant value(std::u16string_view(u"renamed"));
  VARIANT args[] = {*value.get()};
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS put{args, &named, 1, 1};
  EXPECT_EQ(counter->Invoke(3, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(counter->label, u"renamed");

  DISPPARAMS unnamed{args, nullptr, 1, 0};
  EXPECT_EQ(counter->Invoke(3, IID_NULL, 0, DISPATCH_PROPERTYPUT, &unnamed, nullptr, nullptr, nullptr),
            DISP_E_PARAMNOTOPTIONAL);

  Variant result;
  EXPECT_EQ(call(counter.get(), 3, DISPATCH_PROPERTYGET, {}, result), S_OK);
  EXPECT_EQ(result.as_bstr(), u"renamed");
  EXPECT_EQ(call(counter.get(), 5, DISPATCH_PROPERTYGET, {}, result), S_OK);  // an object result
  EXPECT_EQ(result.vt(), VT_DISPATCH);
  EXPECT_EQ(counter->ref_count(), 2u) << "the result carries its own reference";
  result.clear();
  EXPECT_EQ(counter->ref_count(), 1u);

  ComPtr<IUnknown> events;
  ASSERT_EQ(counter->QueryInterface(kEvents, events.put_void()), S_OK);
  EXPECT_EQ(static_cast<void*>(events.get()), static_cast<void*>(static_cast<IDispatch*>(counter.get())));
  UINT count = 9;
  EXPECT_EQ(counter->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
}

}  // namespace
