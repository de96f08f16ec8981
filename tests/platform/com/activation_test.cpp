#include <gtest/gtest.h>

#include <dlfcn.h>

#include "platform/path_mapping.h"
#include "platform/support/bstr.h"
#include "platform/support/class_factory.h"
#include "platform/support/com_ptr.h"
#include "platform/typelibapi.h"
#include "tests/platform/com/com_test_support.h"
#include "tests/platform/com/test_server/test_server_classes.h"
#include "tests/platform/files/files_test_support.h"

using namespace com_test;
using platform::ComPtr;

namespace {

const char* const kServer = COM_TEST_SERVER_PATH;

// A class of the test program's own, registered with CoRegisterClassObject.
class LocalCounter final : public platform::ComObject<LocalCounter, ITestCounter> {
 public:
  STDMETHODIMP Add(LONG amount) override {
    total_ += amount;
    return S_OK;
  }
  STDMETHODIMP Total(LONG* total) override {
    *total = total_;
    return S_OK;
  }

 private:
  LONG total_ = 1000;
};

LONG total_after_adding(ITestCounter* counter, LONG amount) {
  LONG total = -1;
  EXPECT_EQ(counter->Add(amount), S_OK);
  EXPECT_EQ(counter->Total(&total), S_OK);
  return total;
}

// Calls one of the loaded server's exports without keeping a reference to it.
template <class Fn>
auto call_server(const char* name) {
  void* handle = dlopen(kServer, RTLD_NOW | RTLD_NOLOAD);
  EXPECT_NE(handle, nullptr) << "server not loaded";
  auto fn = reinterpret_cast<Fn>(dlsym(handle, name));
  const auto result = fn();
  dlclose(handle);
  return result;
}

class Activation : public ComTest {};

TEST_F(Activation, LoadsTheRegisteredServerOnceAndUnloadsItWhenUnused) {
  ASSERT_FALSE(is_loaded(kServer));
  register_inproc(CLSID_TestCounter, widen(kServer));
  register_inproc(CLSID_TestDoubler, widen(kServer));

  ComPtr<ITestCounter> first;
  ASSERT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, IID_ITestCounter, first.put_void()),
            S_OK);
  EXPECT_EQ(total_after_adding(first.get(), 5), 5);
  ComPtr<ITestCounter> second;
  ASSERT_EQ(CoCreateInstance(CLSID_TestDoubler, nullptr, CLSCTX_ALL, IID_ITestCounter, second.put_void()), S_OK);
  EXPECT_EQ(total_after_adding(second.get(), 5), 10);
  // Both objects count in one module state: the server was loaded once.
  EXPECT_EQ(call_server<TestServerObjectsFn>("TestServerObjects"), 2);

  first.reset();
  EXPECT_EQ(call_server<LPFNCANUNLOADNOW>("DllCanUnloadNow"), S_FALSE) << "an object still lives";
  CoFreeUnusedLibraries();
  EXPECT_TRUE(is_loaded(kServer));

  second.reset();
  EXPECT_EQ(call_server<LPFNCANUNLOADNOW>("DllCanUnloadNow"), S_OK);
  CoFreeUnusedLibraries();
  EXPECT_FALSE(is_loaded(kServer));

  // The next creation loads it again.
  ASSERT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, IID_ITestCounter, first.put_void()),
            S_OK);
  EXPECT_TRUE(is_loaded(kServer));
  EXPECT_EQ(total_after_adding(first.get(), 1), 1);
  EXPECT_EQ(first.detach()->Release(), 0u);
}

TEST_F(Activation, AServerPathOnDriveZIsMappedOntoTheFileSystem) {
  register_inproc(CLSID_TestCounter, platform::windows_path_of(kServer));
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(CoGetClassObject(CLSID_TestCounter, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                             factory.put_void()),
            S_OK);
  ComPtr<ITestCounter> counter;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_ITestCounter, counter.put_void()), S_OK);
  EXPECT_EQ(total_after_adding(counter.get(), 3), 3);
}

TEST_F(Activation, RegisteredClassObjectsWinOverTheRegistryUntilRevoked) {
  register_inproc(CLSID_TestCounter, widen(kServer));
  ComPtr<platform::ClassFactory<LocalCounter>> local;
  ASSERT_EQ(platform::make_com(local), S_OK);
  DWORD cookie = 0;
  ASSERT_EQ(CoRegisterClassObject(CLSID_TestCounter, local.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
            S_OK);
  EXPECT_NE(cookie, 0u);
  EXPECT_EQ(local->ref_count(), 2u) << "registration holds a reference";

  ComPtr<ITestCounter> counter;
  ASSERT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, IID_ITestCounter, counter.put_void()),
            S_OK);
  EXPECT_EQ(total_after_adding(counter.get(), 1), 1001);
  EXPECT_FALSE(is_loaded(kServer));
  EXPECT_EQ(local->ref_count(), 2u) << "CoCreateInstance released the factory";

  EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
  EXPECT_EQ(local->ref_count(), 1u);
  EXPECT_EQ(CoRevokeClassObject(cookie), CO_E_OBJNOTREG);
  ASSERT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, IID_ITestCounter, counter.put_void()),
            S_OK);
  EXPECT_EQ(total_after_adding(counter.get(), 1), 1);
  EXPECT_TRUE(is_loaded(kServer));
}

TEST_F(Activation, FailuresAnswerTheCodesComAnswers) {
  constexpr CLSID kNoServerKey = platform::make_guid("{5B0E6A21-3C52-4F0E-9C8B-2D7A41F3E901}");
  constexpr CLSID kMissingFile = platform::make_guid("{5B0E6A22-3C52-4F0E-9C8B-2D7A41F3E901}");
  constexpr CLSID kNotSharedObject = platform::make_guid("{5B0E6A23-3C52-4F0E-9C8B-2D7A41F3E901}");
  constexpr CLSID kNoExport = platform::make_guid("{5B0E6A24-3C52-4F0E-9C8B-2D7A41F3E901}");
  constexpr CLSID kUnserved = platform::make_guid("{5B0E6A25-3C52-4F0E-9C8B-2D7A41F3E901}");
  constexpr CLSID kNotRegistered = platform::make_guid("{5B0E6A26-3C52-4F0E-9C8B-2D7A41F3E901}");

  files_test::TempFolder folder;
  const std::string text_file = folder / "server.so";
  files_test::write_text(text_file, "not a shared object\n");

  platform::RegKey bare;
  ASSERT_EQ(bare.create(HKEY_CLASSES_ROOT, u"CLSID\\" + guid_text(kNoServerKey)), ERROR_SUCCESS);
  register_inproc(kMissingFile, u"/nonexistent/folder/server.so");
  register_inproc(kNotSharedObject, widen(text_file));
  register_inproc(kNoExport, widen(PLATFORM_LIBRARY_PATH));
  register_inproc(kUnserved, widen(kServer));
  register_inproc(CLSID_TestCounter, widen(kServer));
  IUnknown* const outer = reinterpret_cast<IUnknown*>(0x1000);  // never called: the factory refuses first

  struct Row { int line; const CLSID* clsid; IUnknown* outer; DWORD context; const IID* iid; HRESULT expected; };
  const Row rows[] = {
      {__LINE__, &kNotRegistered, nullptr, CLSCTX_INPROC_SERVER, &IID_IUnknown, REGDB_E_CLASSNOTREG},
      {__LINE__, &kNoServerKey, nullptr, CLSCTX_INPROC_SERVER, &IID_IUnknown, REGDB_E_CLASSNOTREG},
      {__LINE__, &kMissingFile, nullptr, CLSCTX_INPROC_SERVER, &IID_IUnknown, CO_E_DLLNOTFOUND},
      {__LINE__, &kNotSharedObject, nullptr, CLSCTX_INPROC_SERVER, &IID_IUnknown, CO_E_DLLNOTFOUND},
      {__LINE__, &kNoExport, nullptr, CLSCTX_INPROC_SERVER, &IID_IUnknown, CO_E_ERRORINDLL},
      {__LINE__, &kUnserved, nullptr, CLSCTX_INPROC_SERVER, &IID_IUnknown, CLASS_E_CLASSNOTAVAILABLE},
      {__LINE__, &CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, &IID_IClassFactory, E_NOINTERFACE},
      {__LINE__, &CLSID_TestCounter, outer, CLSCTX_INPROC_SERVER, &IID_IUnknown, CLASS_E_NOAGGREGATION},
      {__LINE__, &CLSID_TestCounter, nullptr, CLSCTX_LOCAL_SERVER, &IID_IUnknown, REGDB_E_CLASSNOTREG},
  };
  for (const auto& row : rows) {
    void* object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(CoCreateInstance(*row.clsid, row.outer, row.context, *row.iid, &object), row.expected)
        << "line " << row.line;
    EXPECT_EQ(object, nullptr) << "line " << row.line;
  }
  EXPECT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(CoGetClassObject(CLSID_TestCounter, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, nullptr),
            E_INVALIDARG);
}

constexpr GUID kLibId = platform::make_guid("{9C3F1E20-5A7B-4D61-A8E2-0B4C6D8E1F37}");

class TypeLibRegistration : public ::testing::Test {
 protected:
  std::u16string value_of(const std::u16string& subkey) {
    platform::RegKey key;
    std::u16string text;
    if (key.open(HKEY_CLASSES_ROOT, u"TypeLib\\" + guid_text(kLibId) + subkey) != ERROR_SUCCESS) return u"<no key>";
    if (key.get_string(u"", text) != ERROR_SUCCESS) return u"<no value>";
    return text;
  }
  bool exists(const std::u16string& subkey) {
    platform::RegKey key;
    return key.open(HKEY_CLASSES_ROOT, u"TypeLib\\" + guid_text(kLibId) + subkey) == ERROR_SUCCESS;
  }
  platform::ComPtr<ITypeLib> make(WORD major, WORD minor, LCID lcid = 0) {
    platform::ComPtr<ITypeLib> lib;
    EXPECT_EQ(platform::create_type_lib(kLibId, major, minor, lcid, u"QuarnLib", lib.put()), S_OK);
    return lib;
  }

  platform::registry::ScopedStore store_;
};

TEST_F(TypeLibRegistration, TheLibraryKnowsItsIdentity) {
  auto lib = make(1, 2, 0x409);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(attr->guid, kLibId);
  EXPECT_EQ(attr->lcid, 0x409u);
  EXPECT_EQ(attr->syskind, SYS_WIN64);
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 2);
  lib->ReleaseTLibAttr(attr);
  EXPECT_EQ(lib->GetTypeInfoCount(), 0u);
  DWORD context = 1;
  EXPECT_EQ(lib->GetDocumentation(-1, nullptr, nullptr, &context, nullptr), S_OK);
  EXPECT_EQ(context, 0u);
  platform::Bstr name;
  EXPECT_EQ(lib->GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr), S_OK);
  EXPECT_FALSE(name.view().empty());
  EXPECT_EQ(lib->GetDocumentation(0, name.put(), nullptr, nullptr, nullptr), TYPE_E_ELEMENTNOTFOUND);
  EXPECT_EQ(name.get(), nullptr);
}

TEST_F(TypeLibRegistration, WritesTheVersionKeyInHex) {
  auto lib = make(1, 10, 0x409);
  ASSERT_EQ(RegisterTypeLib(lib.get(), u"Z:\\opt\\quarn\\quarn.so", nullptr), S_OK);
  struct Row { int line; std::u16string subkey; std::u16string value; };
  const Row rows[] = {
      {__LINE__, u"\\1.a", u"QuarnLib"},                       {__LINE__, u"\\1.a\\FLAGS", u"0"},
      {__LINE__, u"\\1.a\\HELPDIR", u"Z:\\opt\\quarn"},  // the library's folder when none is given
      {__LINE__, u"\\1.a\\409\\win64", u"Z:\\opt\\quarn\\quarn.so"},
  };
  for (const auto& row : rows) EXPECT_EQ(value_of(row.subkey), row.value) << "line " << row.line;

  ASSERT_EQ(RegisterTypeLib(lib.get(), u"Z:\\opt\\quarn\\quarn.so", u"Z:\\help"), S_OK);
  EXPECT_EQ(value_of(u"\\1.a\\HELPDIR"), u"Z:\\help");
  EXPECT_EQ(RegisterTypeLib(nullptr, u"x", nullptr), E_INVALIDARG);
  EXPECT_EQ(RegisterTypeLib(lib.get(), nullptr, nullptr), E_INVALIDARG);
}

TEST_F(TypeLibRegistration, UnregisteringRemovesOneVersionAndTheLibraryWithTheLast) {
  auto v1 = make(1, 0);
  auto v2 = make(2, 0);
  ASSERT_EQ(RegisterTypeLib(v1.get(), u"Z:\\a\\one.so", nullptr), S_OK);
  ASSERT_EQ(RegisterTypeLib(v2.get(), u"Z:\\a\\two.so", nullptr), S_OK);

  EXPECT_EQ(UnRegisterTypeLib(kLibId, 1, 0, 0, SYS_WIN64), S_OK);
  EXPECT_FALSE(exists(u"\\1.0"));
  EXPECT_EQ(value_of(u"\\2.0\\0\\win64"), u"Z:\\a\\two.so");
  EXPECT_EQ(UnRegisterTypeLib(kLibId, 1, 0, 0, SYS_WIN64), TYPE_E_REGISTRYACCESS);
  EXPECT_EQ(UnRegisterTypeLib(kLibId, 2, 0, 0, SYS_WIN32), TYPE_E_REGISTRYACCESS) << "registered for win64 only";

  EXPECT_EQ(UnRegisterTypeLib(kLibId, 2, 0, 0, SYS_WIN64), S_OK);
  EXPECT_FALSE(exists(u""));
}

TEST_F(TypeLibRegistration, AVersionStaysWhileAnotherLocaleIsRegistered) {
  auto neutral = make(1, 0, 0);
  auto english = make(1, 0, 0x409);
  ASSERT_EQ(RegisterTypeLib(neutral.get(), u"Z:\\a\\lib.so", nullptr), S_OK);
  ASSERT_EQ(RegisterTypeLib(english.get(), u"Z:\\a\\lib.so", nullptr), S_OK);
  EXPECT_EQ(UnRegisterTypeLib(kLibId, 1, 0, 0x409, SYS_WIN64), S_OK);
  EXPECT_FALSE(exists(u"\\1.0\\409"));
  EXPECT_EQ(value_of(u"\\1.0\\0\\win64"), u"Z:\\a\\lib.so");
  EXPECT_EQ(value_of(u"\\1.0\\FLAGS"), u"0");
}

}  // namespace
