#include <gtest/gtest.h>

#include "platform/ole2.h"
#include "platform/support/com_object.h"

namespace {

class Runnable final : public platform::ComObject<Runnable, IRunnableObject> {
 public:
  explicit Runnable(HRESULT answer) : answer_(answer) {}
  STDMETHODIMP GetRunningClass(LPCLSID) override { return E_NOTIMPL; }
  STDMETHODIMP Run(LPBINDCTX context) override {
    ++runs;
    bind_context_was_null = context == nullptr;
    return answer_;
  }
  STDMETHODIMP_(BOOL) IsRunning() override { return runs > 0; }
  STDMETHODIMP LockRunning(BOOL, BOOL) override { return S_OK; }
  STDMETHODIMP SetContainedObject(BOOL) override { return S_OK; }

  int runs = 0;
  bool bind_context_was_null = false;

 private:
  HRESULT answer_;
};

class Plain final : public platform::ComObject<Plain, IUnknown> {};

// A runnable object is run and its answer passed on; any other object is already running.
TEST(OleRun, RunsARunnableObjectAndTakesOthersAsRunning) {
  for (const HRESULT answer : {S_OK, E_FAIL}) {
    platform::ComPtr<Runnable> runnable;
    ASSERT_EQ(platform::make_com(runnable, answer), S_OK);
    EXPECT_EQ(OleRun(runnable->identity()), answer);
    EXPECT_EQ(runnable->runs, 1);
    EXPECT_TRUE(runnable->bind_context_was_null);
    EXPECT_EQ(runnable->ref_count(), 1u);
  }
  platform::ComPtr<Plain> plain;
  ASSERT_EQ(platform::make_com(plain), S_OK);
  EXPECT_EQ(OleRun(plain.get()), S_OK);
  EXPECT_EQ(OleRun(nullptr), E_INVALIDARG);
}

}  // namespace
