#include <gtest/gtest.h>

#include "host/media_services.h"
#include "tests/suite/host/suite_host_test_support.h"

using namespace suite_host_test;

namespace {

// A listener on the test's stack that counts its references and shutdown calls.
class ProbeSink final : public IShutdownSink {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualGUID(riid, IID_IUnknown) && !IsEqualGUID(riid, IID_IShutdownSink)) return E_NOINTERFACE;
    *ppv = static_cast<IShutdownSink*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP Shutdown() override {
    ++shutdowns;
    return S_OK;
  }

  ULONG refs = 1;  // the test's own
  int shutdowns = 0;
};

// Answers nothing but IUnknown.
class PlainUnknown final : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    *ppv = nullptr;
    if (!IsEqualGUID(riid, IID_IUnknown)) return E_NOINTERFACE;
    *ppv = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  ULONG refs = 1;
};

class MediaServicesTest : public SuiteTest {};

TEST_F(MediaServicesTest, EveryListenerIsToldOnceAtStopAndReleased) {
  start();
  ProbeSink first;
  ProbeSink second;
  {
    auto services = create<IMediaServices>(host::CLSID_MediaServices);
    EXPECT_EQ(services->RegisterListener(&first), S_OK);
    EXPECT_EQ(first.refs, 2u) << "the suite keeps one reference";
    EXPECT_EQ(services->RegisterListener(&first), S_FALSE) << "a second registration is the same listener";
    EXPECT_EQ(first.refs, 2u);
    // Another media services object shares the listeners.
    auto other = create<IMediaServices>(host::CLSID_MediaServices);
    EXPECT_EQ(other->RegisterListener(&second), S_OK);
  }
  EXPECT_EQ(first.shutdowns, 0);
  session_.stop();
  EXPECT_EQ(first.shutdowns, 1);
  EXPECT_EQ(second.shutdowns, 1);
  EXPECT_EQ(first.refs, 1u);
  EXPECT_EQ(second.refs, 1u);
}

TEST_F(MediaServicesTest, RefusesWhatCannotBeToldToShutDown) {
  start();
  auto services = create<IMediaServices>(host::CLSID_MediaServices);
  PlainUnknown plain;
  EXPECT_EQ(services->RegisterListener(&plain), E_NOINTERFACE);
  EXPECT_EQ(plain.refs, 1u) << "nothing kept";
  EXPECT_EQ(services->RegisterListener(nullptr), E_INVALIDARG);
  session_.stop();
  ProbeSink late;
  EXPECT_EQ(services->RegisterListener(&late), E_UNEXPECTED) << "a stopped suite would never tell it";
  EXPECT_EQ(late.refs, 1u);
}

}  // namespace
