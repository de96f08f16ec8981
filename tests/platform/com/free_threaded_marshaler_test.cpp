#include <gtest/gtest.h>

#include "platform/objbase.h"
#include "platform/support/com_object.h"

namespace {

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
      {__LINE__, MSHCTX_DIFFERENTMACHINE, &CLSID_StdMarshal, E_NOTIMPL},
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
