#include "platform/support/com_ptr.h"

#include <gtest/gtest.h>

#include "tests/platform/support/test_interfaces.h"

using platform::ComPtr;

namespace {

// A strict fake: counts references and knows only IAlpha.
class Counted final : public IAlpha {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    ++queries;
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
  int queries = 0;
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

}  // namespace
