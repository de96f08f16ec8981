#include "platform/support/com_object.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/support/class_factory.h"
#include "tests/platform/support/test_interfaces.h"

using platform::Chain;
using platform::ComPtr;

namespace {

int g_destroyed = 0;

class Thing final : public platform::ComObject<Thing, IAlpha, IBeta, Chain<IGamma, IDispatch>> {
 public:
  explicit Thing(int value = 7) : value_(value) {}
  ~Thing() override { ++g_destroyed; }

  STDMETHODIMP_(int) Alpha() override { return value_; }
  STDMETHODIMP_(int) Beta() override { return value_ * 2; }
  STDMETHODIMP_(int) Gamma() override { return value_ * 3; }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

 private:
  int value_;
};

class FailsToConstruct final : public platform::ComObject<FailsToConstruct, IAlpha> {
 public:
  ~FailsToConstruct() override { ++g_destroyed; }
  HRESULT FinalConstruct() { return E_ACCESSDENIED; }
  STDMETHODIMP_(int) Alpha() override { return 0; }
};

class ThrowsInConstructor final : public platform::ComObject<ThrowsInConstructor, IAlpha> {
 public:
  ThrowsInConstructor() { platform::check<IAlpha>(E_HANDLE); }
  STDMETHODIMP_(int) Alpha() override { return 0; }
};

// Re-enters AddRef/Release from its destructor, as an object that unhooks itself from a sink might.
class ReentrantDestructor final : public platform::ComObject<ReentrantDestructor, IAlpha> {
 public:
  ~ReentrantDestructor() override {
    AddRef();
    Release();
    ++g_destroyed;
  }
  STDMETHODIMP_(int) Alpha() override { return 0; }
};

class ComObjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_destroyed = 0;
    objects_before_ = platform::this_module().objects();
  }
  void TearDown() override { EXPECT_EQ(platform::this_module().objects(), objects_before_); }
  LONG objects_before_ = 0;
};

TEST_F(ComObjectTest, QueryInterfaceAnswersEveryListedInterfaceAndTheirBasesForOneIdentity) {
  ComPtr<Thing> thing;
  ASSERT_EQ(platform::make_com(thing, 5), S_OK);
  EXPECT_EQ(thing->ref_count(), 1u);

  struct Row { int line; const IID* iid; HRESULT expected; };
  const Row rows[] = {
      {__LINE__, &IID_IUnknown, S_OK},          {__LINE__, &IID_IAlpha, S_OK},
      {__LINE__, &IID_IBeta, S_OK},             {__LINE__, &IID_IGamma, S_OK},
      {__LINE__, &IID_IDispatch, S_OK},         {__LINE__, &IID_INotImplemented, E_NOINTERFACE},
  };
  for (const auto& row : rows) {
    void* p = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(thing->QueryInterface(*row.iid, &p), row.expected) << "line " << row.line;
    if (row.expected == S_OK) {
      ASSERT_NE(p, nullptr) << "line " << row.line;
      EXPECT_EQ(thing->ref_count(), 2u) << "line " << row.line;
      static_cast<IUnknown*>(p)->Release();
    } else {
      EXPECT_EQ(p, nullptr) << "the out-parameter is cleared on failure, line " << row.line;
    }
  }
  EXPECT_EQ(thing->QueryInterface(IID_IAlpha, nullptr), E_POINTER);

  // Every interface reaches the same object, and the identity is stable.
  auto alpha = thing.As<IAlpha>();
  auto gamma = alpha.As<IGamma>();
  auto dispatch = gamma.As<IDispatch>();
  ASSERT_TRUE(alpha && gamma && dispatch);
  EXPECT_EQ(alpha->Alpha(), 5);
  EXPECT_EQ(gamma->Gamma(), 15);
  EXPECT_EQ(static_cast<void*>(dispatch.get()), static_cast<void*>(static_cast<IDispatch*>(gamma.get())));
  EXPECT_EQ(alpha.As<IUnknown>().get(), gamma.As<IUnknown>().get());
  EXPECT_EQ(thing.As<IUnknown>().get(), thing->identity());
}

TEST_F(ComObjectTest, LastReleaseDeletesAndReturnsZero) {
  ComPtr<Thing> thing;
  ASSERT_EQ(platform::make_com(thing), S_OK);
  EXPECT_EQ(platform::this_module().objects(), objects_before_ + 1);
  IAlpha* alpha = nullptr;
  ASSERT_EQ(thing->QueryInterface(&alpha), S_OK);
  thing.reset();
  EXPECT_EQ(g_destroyed, 0);
  EXPECT_EQ(alpha->Release(), 0u);
  EXPECT_EQ(g_destroyed, 1);
}

TEST_F(ComObjectTest, FailedConstructionDeletesTheObjectAndReentrantDestructorsAreSafe) {
  ComPtr<FailsToConstruct> obj;
  EXPECT_EQ(platform::make_com(obj), E_ACCESSDENIED);
  EXPECT_FALSE(obj);
  EXPECT_EQ(g_destroyed, 1);
  ComPtr<ThrowsInConstructor> throws;  // constructor exceptions become HRESULTs
  EXPECT_EQ(platform::make_com(throws), E_HANDLE);
  void* p = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(platform::create_com<ThrowsInConstructor>(IID_IAlpha, &p), E_HANDLE);
  EXPECT_EQ(p, nullptr);
  ComPtr<ReentrantDestructor> reentrant;  // AddRef and Release are safe while the destructor runs
  ASSERT_EQ(platform::make_com(reentrant), S_OK);
  reentrant.reset();
  EXPECT_EQ(g_destroyed, 2);
}

TEST_F(ComObjectTest, ReferenceCountIsExactUnderConcurrentUse) {
  ComPtr<Thing> thing;
  ASSERT_EQ(platform::make_com(thing), S_OK);
  IAlpha* raw = thing.As<IAlpha>().detach();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([raw] {
      for (int i = 0; i < 10000; ++i) {
        raw->AddRef();
        raw->Release();
      }
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(raw->Release(), 1u);
}

TEST_F(ComObjectTest, ClassFactoryCreatesRefusesAggregationAndLocksTheServer) {
  const CLSID clsid = platform::make_guid("{6A0F5A10-00FF-4C1B-9E00-5D8E2C0000FF}");
  const platform::ClassEntry classes[] = {platform::class_entry<Thing>(clsid)};

  ComPtr<IClassFactory> factory;
  ASSERT_EQ(platform::get_class_object(classes, clsid, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(platform::this_module().objects(), objects_before_) << "factories do not hold the server";

  ComPtr<IBeta> beta;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IBeta, beta.put_void()), S_OK);
  EXPECT_EQ(beta->Beta(), 14);

  ComPtr<IAlpha> aggregated;
  EXPECT_EQ(factory->CreateInstance(beta.get(), IID_IAlpha, aggregated.put_void()), CLASS_E_NOAGGREGATION);
  EXPECT_FALSE(aggregated);
  ComPtr<INotImplemented> missing;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_INotImplemented, missing.put_void()), E_NOINTERFACE);
  beta.reset();

  const LONG locks = platform::this_module().locks();
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_FALSE(platform::this_module().can_unload());
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(platform::this_module().locks(), locks);

  void* p = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(platform::get_class_object(classes, IID_IAlpha, IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(p, nullptr);
}

}  // namespace
