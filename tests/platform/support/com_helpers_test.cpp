// The small COM helpers: Bstr, ComPtr, ComError and com_boundary, the Interlocked functions.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/support/com_ptr.h"
#include "platform/winbase.h"
#include "tests/platform/support/test_interfaces.h"

using platform::ComPtr;

namespace {

using platform::Bstr;

TEST(Bstr, HoldsTextWithEmbeddedZerosAndTellsEmptyFromNull) {
  const std::u16string text(u"a\0b", 3);
  Bstr b(text);
  EXPECT_EQ(b.length(), 3u);
  EXPECT_EQ(b.view(), text);
  EXPECT_EQ(SysStringByteLen(b.get()), 6u);
  Bstr empty_text(std::u16string_view{});
  EXPECT_FALSE(empty_text.is_null());  // an allocated empty string
  EXPECT_EQ(empty_text.length(), 0u);
  Bstr none;
  EXPECT_TRUE(none.is_null());
  EXPECT_TRUE(none.view().empty());
}

TEST(Bstr, OwnershipMovesAndCopiesAreExplicit) {
  Bstr first(u"photo");
  const BSTR raw = first.get();
  Bstr second(std::move(first));
  EXPECT_TRUE(first.is_null());
  EXPECT_EQ(second.get(), raw);
  Bstr copy = second.copy();
  EXPECT_NE(copy.get(), second.get());
  EXPECT_EQ(copy.view(), u"photo");
  EXPECT_TRUE(Bstr().copy().is_null());
  second = std::move(copy);  // frees the old string (ASan checks)
  EXPECT_EQ(second.view(), u"photo");

  BSTR* slot = second.put();  // frees first
  EXPECT_EQ(*slot, nullptr);
  *slot = SysAllocString(u"new");
  EXPECT_EQ(second.view(), u"new");
  BSTR detached = second.detach();
  EXPECT_TRUE(second.is_null());
  Bstr again = Bstr::attach(detached);
  EXPECT_EQ(again.get(), detached);

  BSTR out = reinterpret_cast<BSTR>(1);  // CopyTo hands out an owned copy
  ASSERT_EQ(again.CopyTo(&out), S_OK);
  EXPECT_NE(out, again.get());
  EXPECT_EQ(std::u16string(out), u"new");
  SysFreeString(out);
  EXPECT_EQ(again.CopyTo(nullptr), E_POINTER);
  ASSERT_EQ(Bstr().CopyTo(&out), S_OK);
  EXPECT_EQ(out, nullptr);
}

// A strict fake: counts references and knows only IAlpha.
class Counted final : public IAlpha {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IAlpha)) {
      *ppv = static_cast<IAlpha*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP_(int) Alpha() override { return 1; }
  ULONG refs = 1;
};

TEST(ComPtr, AttachTakesBorrowAddsMoveTransfersAndDestructionReleases) {
  Counted obj;
  {
    auto owned = ComPtr<IAlpha>::attach(&obj);
    EXPECT_EQ(obj.refs, 1u);
    auto borrowed = ComPtr<IAlpha>::borrow(&obj);
    EXPECT_EQ(obj.refs, 2u);
    auto copied = borrowed.copy();
    EXPECT_EQ(obj.refs, 3u);
  }
  EXPECT_EQ(obj.refs, 0u);
  obj.refs = 1;  // moving transfers without counting
  auto a = ComPtr<IAlpha>::attach(&obj);
  ComPtr<IAlpha> b = std::move(a);
  EXPECT_FALSE(a);
  EXPECT_EQ(obj.refs, 1u);
  b = std::move(b);
  EXPECT_EQ(obj.refs, 1u) << "self-move keeps the reference";
  b.reset();
  EXPECT_EQ(obj.refs, 0u);
}

TEST(ComPtr, PutReleasesWhatIsHeldFirstAndCopyToCounts) {
  Counted first, second;
  auto p = ComPtr<IAlpha>::attach(&first);
  IAlpha** slot = p.put();
  EXPECT_EQ(first.refs, 0u);
  EXPECT_EQ(*slot, nullptr);
  *slot = &second;
  EXPECT_EQ(p.get(), &second);
  IAlpha* raw = p.detach();
  EXPECT_EQ(raw, &second);
  EXPECT_EQ(second.refs, 1u);
  auto q = ComPtr<IAlpha>::attach(raw);  // CopyTo adds a reference and checks its out-pointer
  IAlpha* out = nullptr;
  EXPECT_EQ(q.CopyTo(&out), S_OK);
  EXPECT_EQ(out, &second);
  EXPECT_EQ(second.refs, 2u);
  EXPECT_EQ(q.CopyTo(nullptr), E_POINTER);
  out->Release();
}

TEST(ComPtr, AsQueriesAndLeavesTheTargetUntouchedOnFailure) {
  Counted obj, other;
  auto p = ComPtr<IAlpha>::attach(&obj);
  auto keep = ComPtr<IBeta>::attach(reinterpret_cast<IBeta*>(static_cast<IAlpha*>(&other)));
  EXPECT_EQ(p.As(keep), E_NOINTERFACE);
  EXPECT_EQ(static_cast<void*>(keep.get()), static_cast<void*>(static_cast<IAlpha*>(&other)));
  (void)keep.detach();
  EXPECT_FALSE(p.As<IBeta>());

  ComPtr<IUnknown> unknown;
  EXPECT_EQ(p.As(unknown), S_OK);
  EXPECT_EQ(obj.refs, 2u);

  ComPtr<IBeta> none;
  EXPECT_EQ(ComPtr<IAlpha>().As(none), E_POINTER);
}

TEST(ComError, CarriesTheCodeTheInterfaceAndThePlace) {
  try {
    platform::check<IAlpha>(E_ACCESSDENIED);
    FAIL() << "a failed HRESULT must throw";
  } catch (const platform::ComError& e) {
    EXPECT_EQ(e.hr(), E_ACCESSDENIED);
    EXPECT_EQ(e.iid(), IID_IAlpha);
    EXPECT_NE(std::string(e.where().file_name()).find("com_helpers_test.cpp"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("0x80070005"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("6A0F5A10-0001-4C1B-9E00-5D8E2C000001"), std::string::npos);
  }
}

TEST(ComError, SuccessCodesPassThrough) {
  EXPECT_EQ(platform::check<IAlpha>(S_OK), S_OK);
  EXPECT_EQ(platform::check<IAlpha>(S_FALSE), S_FALSE);
}

TEST(ComBoundary, MapsEveryKindOfFailure) {
  struct Row {
    int line;
    HRESULT (*body)();
    HRESULT expected;
  };
  const Row rows[] = {
      {__LINE__, [] { return S_FALSE; }, S_FALSE},
      {__LINE__, []() -> HRESULT { platform::check<IBeta>(DISP_E_BADINDEX); return S_OK; }, DISP_E_BADINDEX},
      {__LINE__, []() -> HRESULT { throw std::bad_alloc(); }, E_OUTOFMEMORY},
      {__LINE__, []() -> HRESULT { throw std::runtime_error("boom"); }, E_UNEXPECTED},
      {__LINE__, []() -> HRESULT { throw 42; }, E_UNEXPECTED},
  };
  for (const auto& row : rows) EXPECT_EQ(platform::com_boundary(row.body), row.expected) << "line " << row.line;
}

TEST(Interlocked, ReturnValuesFollowWindowsAndCountsAreExactAcrossThreads) {
  LONG v = 5;
  EXPECT_EQ(InterlockedIncrement(&v), 6);
  EXPECT_EQ(InterlockedDecrement(&v), 5);
  EXPECT_EQ(InterlockedExchange(&v, 9), 5);
  EXPECT_EQ(InterlockedExchangeAdd(&v, 3), 9);
  EXPECT_EQ(v, 12);
  EXPECT_EQ(InterlockedCompareExchange(&v, 1, 7), 12) << "no exchange when the comparand differs";
  EXPECT_EQ(v, 12);
  EXPECT_EQ(InterlockedCompareExchange(&v, 1, 12), 12);
  EXPECT_EQ(v, 1);

  LONG counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&counter] {
      for (int i = 0; i < 20000; ++i) InterlockedIncrement(&counter);
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(counter, 80000);
}

}  // namespace
