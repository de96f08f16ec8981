// GUID text, OleRun and the free-threaded marshaler.
#include <gtest/gtest.h>

#include <string>

#include "platform/combaseapi.h"
#include "platform/objbase.h"
#include "platform/ole2.h"
#include "platform/support/com_object.h"

namespace {

constexpr GUID kSample = platform::make_guid("{C7E5D7EF-767C-4964-B727-D61233FB4D49}");

TEST(GuidText, CompileTimeLiteralMatchesFields) {
  static_assert(kSample.Data1 == 0xC7E5D7EF && kSample.Data2 == 0x767C && kSample.Data3 == 0x4964);
  static_assert(kSample.Data4[0] == 0xB7 && kSample.Data4[7] == 0x49);
  static_assert(platform::make_guid("c7e5d7ef-767c-4964-b727-d61233fb4d49") == kSample);
}

TEST(GuidText, ParsesAnyCaseAndFormatsUpperCase) {
  for (const char16_t* text : {u"{C7E5D7EF-767C-4964-B727-D61233FB4D49}", u"{c7E5d7eF-767C-4964-b727-D61233fb4D49}"}) {
    CLSID parsed{};
    EXPECT_EQ(CLSIDFromString(text, &parsed), S_OK);
    EXPECT_EQ(parsed, kSample);
    IID iid{};
    EXPECT_EQ(IIDFromString(text, &iid), S_OK);
    EXPECT_EQ(iid, kSample);
  }
  OLECHAR out[CHARS_IN_GUID] = {u'x'};
  EXPECT_EQ(StringFromGUID2(kSample, out, CHARS_IN_GUID - 1), 0);
  EXPECT_EQ(out[0], u'x') << "a buffer too small is not written";
  ASSERT_EQ(StringFromGUID2(kSample, out, CHARS_IN_GUID), CHARS_IN_GUID);
  EXPECT_EQ(std::u16string(out), u"{C7E5D7EF-767C-4964-B727-D61233FB4D49}");
  LPOLESTR text = nullptr;  // in task memory
  ASSERT_EQ(StringFromCLSID(kSample, &text), S_OK);
  EXPECT_EQ(std::u16string(text), std::u16string(out));
  CoTaskMemFree(text);
}

TEST(GuidText, RejectsNonGuidTextAndLeavesNullGuid) {
  const std::u16string rows[] = {
      u"C7E5D7EF-767C-4964-B727-D61233FB4D49",     // no braces
      u"{C7E5D7EF-767C-4964-B727-D61233FB4D4}",    // one digit short
      u"{C7E5D7EF-767C-4964-B727-D61233FB4D499}",  // one digit long
      u"{C7E5D7EF-767C-4964-B727-D61233FB4D4G}",   // not hex
      u"{C7E5D7EF 767C-4964-B727-D61233FB4D49}",   // wrong separator
      u"{C7E5D7EF-767C-4964-B727-D61233FB4D49}x",  // trailing text
      u"Quarn.Document",                            // a name, not a GUID
  };
  for (const auto& text : rows) {
    CLSID clsid = kSample;
    EXPECT_EQ(CLSIDFromString(text.c_str(), &clsid), CO_E_CLASSSTRING) << std::string(text.begin(), text.end());
    EXPECT_EQ(clsid, GUID_NULL);
    IID iid = kSample;
    EXPECT_TRUE(FAILED(IIDFromString(text.c_str(), &iid)));
    EXPECT_EQ(iid, GUID_NULL);
  }
}

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

// An object that aggregates the free-threaded marshaler, as objects meant for any thread do.
class Agile final : public platform::ComObject<Agile, IUnknown> {
 public:
  HRESULT FinalConstruct() { return CoCreateFreeThreadedMarshaler(identity(), &marshaler_); }
  ~Agile() override {
    if (marshaler_) marshaler_->Release();
  }
  IUnknown* inner() const { return marshaler_; }

 protected:
  HRESULT QueryInterfaceExtra(REFIID riid, void** ppv) override {
    if (IsEqualGUID(riid, IID_IMarshal)) return marshaler_->QueryInterface(riid, ppv);
    return E_NOINTERFACE;
  }

 private:
  IUnknown* marshaler_ = nullptr;
};

TEST(FreeThreadedMarshaler, AggregatedItCountsOnTheOuterObject) {
  platform::ComPtr<Agile> agile;
  ASSERT_EQ(platform::make_com(agile), S_OK);
  ASSERT_NE(agile->inner(), nullptr);
  EXPECT_EQ(agile->ref_count(), 1u) << "creating the inner object takes no reference on the outer";

  platform::ComPtr<IMarshal> marshal;
  ASSERT_EQ(agile->QueryInterface(IID_IMarshal, marshal.put_void()), S_OK);
  EXPECT_EQ(agile->ref_count(), 2u) << "the IMarshal reference is the outer object's";
  EXPECT_EQ(marshal->AddRef(), 3u);
  EXPECT_EQ(marshal->Release(), 2u);

  // IMarshal's QueryInterface answers for the aggregate: its identity is the outer object.
  platform::ComPtr<IUnknown> identity;
  ASSERT_EQ(marshal->QueryInterface(IID_IUnknown, identity.put_void()), S_OK);
  EXPECT_EQ(identity.get(), agile->identity());
  EXPECT_NE(identity.get(), agile->inner());

  // The inner IUnknown does not delegate: it answers itself and keeps its own count.
  platform::ComPtr<IUnknown> inner;
  ASSERT_EQ(agile->inner()->QueryInterface(IID_IUnknown, inner.put_void()), S_OK);
  EXPECT_EQ(inner.get(), agile->inner());
  EXPECT_EQ(agile->ref_count(), 3u);
  inner.reset();
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(agile->inner()->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);

  identity.reset();
  marshal.reset();
  EXPECT_EQ(agile.detach()->Release(), 0u) << "the outer's last release frees the inner object with it";
}

TEST(FreeThreadedMarshaler, NamesItsOwnClassWithinTheProcess) {
  IUnknown* inner = nullptr;
  ASSERT_EQ(CoCreateFreeThreadedMarshaler(nullptr, &inner), S_OK);
  platform::ComPtr<IMarshal> marshal;
  ASSERT_EQ(inner->QueryInterface(IID_IMarshal, marshal.put_void()), S_OK);
  struct Row { int line; DWORD context; const CLSID* clsid; HRESULT size_hr; };
  const Row rows[] = {
      {__LINE__, MSHCTX_INPROC, &CLSID_InProcFreeMarshaler, S_OK},
      {__LINE__, MSHCTX_CROSSCTX, &CLSID_InProcFreeMarshaler, S_OK},
      {__LINE__, MSHCTX_LOCAL, &CLSID_StdMarshal, E_NOTIMPL},
  };
  for (const auto& row : rows) {
    CLSID clsid{};
    EXPECT_EQ(marshal->GetUnmarshalClass(IID_IUnknown, inner, row.context, nullptr, MSHLFLAGS_NORMAL, &clsid), S_OK)
        << "line " << row.line;
    EXPECT_EQ(clsid, *row.clsid) << "line " << row.line;
    DWORD size = 0;
    EXPECT_EQ(marshal->GetMarshalSizeMax(IID_IUnknown, inner, row.context, nullptr, MSHLFLAGS_NORMAL, &size),
              row.size_hr)
        << "line " << row.line;
    if (row.size_hr == S_OK) {
      EXPECT_EQ(size, sizeof(DWORD) * 2 + sizeof(void*) + sizeof(GUID)) << "line " << row.line;
    }
  }
  static_assert(CLSID_InProcFreeMarshaler == platform::make_guid("{0000033A-0000-0000-C000-000000000046}"));
  // Standing alone, its IMarshal counts on the inner object.
  marshal.reset();
  EXPECT_EQ(inner->Release(), 0u);
  EXPECT_EQ(CoCreateFreeThreadedMarshaler(nullptr, nullptr), E_INVALIDARG);
}

}  // namespace
