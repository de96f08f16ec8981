#include <gtest/gtest.h>

#include <thread>

#include "platform/support/class_factory.h"
#include "tests/platform/com/com_test_support.h"

namespace {

constexpr CLSID kClass = platform::make_guid("{7A61C0D1-9E0B-4C3A-8F25-61B0E4D2A7C3}");

class Thing final : public platform::ComObject<Thing, IUnknown> {};

// A new thread's COM state starts empty.
TEST(Apartment, InitialisationCountsAndKeepsItsModel) {
  std::thread([] {
    struct Row { int line; DWORD model; HRESULT expected; };
    const Row rows[] = {
        {__LINE__, COINIT_APARTMENTTHREADED, S_OK},
        {__LINE__, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE, S_FALSE},
        {__LINE__, COINIT_MULTITHREADED, RPC_E_CHANGED_MODE},    {__LINE__, COINIT_APARTMENTTHREADED, S_FALSE},
    };
    for (const auto& row : rows) EXPECT_EQ(CoInitializeEx(nullptr, row.model), row.expected) << "line " << row.line;
    // Three successful calls need three CoUninitialize; the changed-mode one does not count.
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE) << "still initialised once";
    CoUninitialize();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "uninitialised: any model again";
    CoUninitialize();
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE) << "CoInitialize is apartment-threaded";
    CoUninitialize();
    EXPECT_EQ(CoInitializeEx(reinterpret_cast<void*>(1), COINIT_MULTITHREADED), E_INVALIDARG);
  }).join();
}

TEST(Apartment, AnUninitialisedThreadCannotActivate) {
  std::thread([] {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(kClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoGetClassObject(kClass, CLSCTX_INPROC_SERVER, nullptr, IID_IUnknown, &object), CO_E_NOTINITIALIZED);
    platform::ComPtr<Thing> thing;
    ASSERT_EQ(platform::make_com(thing), S_OK);
    DWORD cookie = 7;
    EXPECT_EQ(CoRegisterClassObject(kClass, thing.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(thing->ref_count(), 1u);
  }).join();
}

TEST(Apartment, UninitialisedThreadsBelongToAnExistingMultithreadedApartment) {
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  platform::ComPtr<Thing> thing;
  ASSERT_EQ(platform::make_com(thing), S_OK);
  DWORD cookie = 0;
  ASSERT_EQ(CoRegisterClassObject(kClass, thing.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie), S_OK);
  std::thread([] {
    platform::ComPtr<IUnknown> found;
    EXPECT_EQ(CoGetClassObject(kClass, CLSCTX_INPROC_SERVER, nullptr, IID_IUnknown, found.put_void()), S_OK);
  }).join();
  EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
  CoUninitialize();
}

class ClassObjects : public com_test::ComTest {
 protected:
  void SetUp() override {
    ComTest::SetUp();
    ASSERT_EQ(platform::make_com(thing_), S_OK);
  }
  HRESULT find(DWORD context) {
    platform::ComPtr<IUnknown> found;
    return CoGetClassObject(kClass, context, nullptr, IID_IUnknown, found.put_void());
  }
  platform::ComPtr<Thing> thing_;
};

TEST_F(ClassObjects, ContextsAndFlagsDecideWhoSeesARegistration) {
  struct Row { int line; DWORD registered; DWORD flags; DWORD asked; HRESULT expected; };
  const Row rows[] = {
      {__LINE__, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, CLSCTX_INPROC_SERVER, S_OK},
      {__LINE__, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, CLSCTX_ALL, S_OK},
      // A multiple-use local server is an in-process one too; a separate one is not.
      {__LINE__, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, CLSCTX_INPROC_SERVER, S_OK},
      {__LINE__, CLSCTX_LOCAL_SERVER, REGCLS_MULTI_SEPARATE, CLSCTX_INPROC_SERVER, REGDB_E_CLASSNOTREG},
      {__LINE__, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED, CLSCTX_INPROC_SERVER,
       REGDB_E_CLASSNOTREG},
  };
  for (const auto& row : rows) {
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(kClass, thing_.get(), row.registered, row.flags, &cookie), S_OK)
        << "line " << row.line;
    EXPECT_EQ(find(row.asked), row.expected) << "line " << row.line;
    EXPECT_EQ(CoRevokeClassObject(cookie), S_OK) << "line " << row.line;
  }
  EXPECT_EQ(thing_->ref_count(), 1u);
}

TEST_F(ClassObjects, SuspendedRegistrationsAppearWhenResumedAndEachRegistrationHasItsCookie) {
  DWORD first = 0;
  DWORD second = 0;
  ASSERT_EQ(CoRegisterClassObject(kClass, thing_.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED,
                                  &first),
            S_OK);
  EXPECT_EQ(find(CLSCTX_INPROC_SERVER), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(CoResumeClassObjects(), S_OK);
  EXPECT_EQ(find(CLSCTX_INPROC_SERVER), S_OK);
  ASSERT_EQ(CoRegisterClassObject(kClass, thing_.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &second), S_OK);
  EXPECT_NE(first, second);
  EXPECT_EQ(thing_->ref_count(), 3u);
  EXPECT_EQ(CoRevokeClassObject(first), S_OK);
  EXPECT_EQ(find(CLSCTX_INPROC_SERVER), S_OK) << "the second registration still stands";
  EXPECT_EQ(CoRevokeClassObject(second), S_OK);
  EXPECT_EQ(CoRevokeClassObject(0xDEAD), CO_E_OBJNOTREG);
  DWORD cookie = 5;
  EXPECT_EQ(CoRegisterClassObject(kClass, nullptr, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie), E_INVALIDARG);
}

TEST_F(ClassObjects, TheLastUninitialiseRevokesTheThreadsRegistrations) {
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
  DWORD cookie = 0;
  ASSERT_EQ(CoRegisterClassObject(kClass, thing_.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie), S_OK);
  CoUninitialize();
  EXPECT_EQ(thing_->ref_count(), 2u) << "one initialisation still open";
  CoUninitialize();
  EXPECT_EQ(thing_->ref_count(), 1u);
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);  // for TearDown
  EXPECT_EQ(CoRevokeClassObject(cookie), CO_E_OBJNOTREG);
}

}  // namespace
