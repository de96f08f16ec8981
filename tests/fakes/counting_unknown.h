// A COM object for reference-count checks: counts its references and Release calls, answers IUnknown and,
// unless told not to, IDispatch, whose Invoke answers only a DISPID_VALUE property get with a
// value the test sets. It lives on the test's stack; the test holds the first reference.
#pragma once

#include <gtest/gtest.h>

#include "platform/oleauto.h"

namespace fakes {

class CountingUnknown final : public IDispatch {
 public:
  enum class Dispatch { kAnswer, kRefuse };

  explicit CountingUnknown(Dispatch dispatch = Dispatch::kAnswer) : answers_dispatch_(dispatch == Dispatch::kAnswer) {
    VariantInit(&value_);
  }
  ~CountingUnknown() { (void)VariantClear(&value_); }
  CountingUnknown(const CountingUnknown&) = delete;
  CountingUnknown& operator=(const CountingUnknown&) = delete;

  ULONG refs() const { return refs_; }
  ULONG releases() const { return releases_; }
  IUnknown* unknown() { return static_cast<IUnknown*>(this); }
  IDispatch* dispatch() { return this; }

  // What Invoke answers for the value property; VT_EMPTY (the default) means no such member.
  void set_value(const VARIANT& value) { ASSERT_EQ(VariantCopy(&value_, &value), S_OK); }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown)) {
      *ppv = unknown();
    } else if (IsEqualIID(riid, IID_IDispatch) && answers_dispatch_) {
      *ppv = dispatch();
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    ++releases_;
    if (refs_ == 0) {
      ADD_FAILURE() << "Release on an object with no references left";
      return 0;
    }
    return --refs_;
  }

  STDMETHODIMP GetTypeInfoCount(UINT*) override { return unexpected("GetTypeInfoCount"); }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return unexpected("GetTypeInfo"); }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return unexpected("GetIDsOfNames"); }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT*) override {
    if (id != DISPID_VALUE || !(flags & DISPATCH_PROPERTYGET) || value_.vt == VT_EMPTY) return DISP_E_MEMBERNOTFOUND;
    if (!params || params->cArgs != 0 || !result) return E_INVALIDARG;
    return VariantCopy(result, &value_);
  }

 private:
  static HRESULT unexpected(const char* method) {
    ADD_FAILURE() << "unexpected call to " << method;
    return E_NOTIMPL;
  }

  bool answers_dispatch_;
  ULONG refs_ = 1;
  ULONG releases_ = 0;
  VARIANT value_;
};

}  // namespace fakes
