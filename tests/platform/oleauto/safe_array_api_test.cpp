#include <gtest/gtest.h>

#include <string>

#include "platform/oleauto.h"
#include "tests/fakes/counting_unknown.h"

namespace {

using fakes::CountingUnknown;

// "lower..upper" of a dimension; on failure what failed and whether the outputs were written.
std::string bounds(SAFEARRAY* psa, UINT dim) {
  LONG lower = 99, upper = 99;
  const HRESULT l = SafeArrayGetLBound(psa, dim, &lower), u = SafeArrayGetUBound(psa, dim, &upper);
  if (SUCCEEDED(l) && SUCCEEDED(u)) return std::to_string(lower) + ".." + std::to_string(upper);
  return std::string(l == DISP_E_BADINDEX && u == DISP_E_BADINDEX ? "bad index" : "other failure") +
         (lower == 99 && upper == 99 ? "" : ", outputs written");
}

TEST(SafeArrayApi, ElementSizesFlagsAndTypesPerType) {
  struct Row { int line; VARTYPE vt; UINT size; USHORT features; };
  // One type of each element size; the types with pointers each have their own flags.
  const Row rows[] = {
      {__LINE__, VT_I1, 1, FADF_HAVEVARTYPE},     {__LINE__, VT_BOOL, 2, FADF_HAVEVARTYPE},
      {__LINE__, VT_ERROR, 4, FADF_HAVEVARTYPE},  {__LINE__, VT_DATE, 8, FADF_HAVEVARTYPE},
      {__LINE__, VT_DECIMAL, 16, FADF_HAVEVARTYPE},
      {__LINE__, VT_BSTR, sizeof(void*), FADF_HAVEVARTYPE | FADF_BSTR},
      {__LINE__, VT_UNKNOWN, sizeof(void*), FADF_HAVEIID | FADF_UNKNOWN},
      {__LINE__, VT_DISPATCH, sizeof(void*), FADF_HAVEIID | FADF_DISPATCH},
      {__LINE__, VT_VARIANT, sizeof(VARIANT), FADF_HAVEVARTYPE | FADF_VARIANT},
  };
  static_assert(sizeof(VARIANT) == 24 || sizeof(void*) == 4);
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    SAFEARRAY* psa = SafeArrayCreateVector(row.vt, 0, 3);
    ASSERT_NE(psa, nullptr);
    EXPECT_EQ(SafeArrayGetElemsize(psa), row.size);
    EXPECT_EQ(psa->fFeatures, row.features);
    EXPECT_EQ(SafeArrayGetDim(psa), 1u);
    VARTYPE vt = VT_EMPTY;
    EXPECT_EQ(SafeArrayGetVartype(psa, &vt), S_OK);
    EXPECT_EQ(vt, row.vt);
    if (row.features & FADF_HAVEVARTYPE) {
      EXPECT_EQ(reinterpret_cast<const DWORD*>(psa)[-1], row.vt);  // stored before the descriptor
    } else {
      EXPECT_EQ(reinterpret_cast<const GUID*>(psa)[-1], row.vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown);
    }
    EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
  }
  for (VARTYPE vt : std::initializer_list<VARTYPE>{VT_EMPTY, VT_NULL, VT_RECORD, VT_VOID, 15})
    EXPECT_EQ(SafeArrayCreateVector(vt, 0, 1), nullptr) << "no elements of type " << vt;
  SAFEARRAYBOUND bound{1, 0};
  EXPECT_EQ(SafeArrayCreate(VT_I4, 0, &bound), nullptr);
  EXPECT_EQ(SafeArrayCreate(VT_I4, 1, nullptr), nullptr);
}

TEST(SafeArrayApi, InterfaceArraysCarryTheirIidAndTheVartypeNeedsAFlag) {
  constexpr GUID kItem = platform::make_guid("{5A3C1E0B-8D42-4F6A-9B1E-2C7D4E8F0A11}");
  SAFEARRAYBOUND bound{2, 0};
  GUID iid = kItem;
  SAFEARRAY* psa = SafeArrayCreateEx(VT_UNKNOWN, 1, &bound, &iid);
  ASSERT_NE(psa, nullptr);
  iid = GUID_NULL;
  ASSERT_EQ(SafeArrayGetIID(psa, &iid), S_OK);
  EXPECT_EQ(iid, kItem);
  VARTYPE vt = VT_EMPTY;
  ASSERT_EQ(SafeArrayGetVartype(psa, &vt), S_OK);
  EXPECT_EQ(vt, VT_UNKNOWN);
  ASSERT_EQ(SafeArrayDestroy(psa), S_OK);
  psa = SafeArrayCreateVector(VT_I4, 0, 1);
  EXPECT_EQ(SafeArrayGetIID(psa, &iid), E_INVALIDARG);
  EXPECT_EQ(SafeArraySetIID(psa, kItem), E_INVALIDARG);
  ASSERT_EQ(SafeArrayDestroy(psa), S_OK);

  ASSERT_EQ(SafeArrayAllocDescriptor(1, &psa), S_OK);
  EXPECT_EQ(SafeArrayGetVartype(psa, &vt), E_INVALIDARG);
  psa->fFeatures = FADF_BSTR;  // a type flag alone says nothing about VT_BSTR
  EXPECT_EQ(SafeArrayGetVartype(psa, &vt), E_INVALIDARG);
  psa->fFeatures = FADF_DISPATCH;
  ASSERT_EQ(SafeArrayGetVartype(psa, &vt), S_OK);
  EXPECT_EQ(vt, VT_DISPATCH);
  EXPECT_EQ(SafeArrayGetVartype(nullptr, &vt), E_INVALIDARG);
  EXPECT_EQ(SafeArrayGetVartype(psa, nullptr), E_INVALIDARG);
  EXPECT_EQ(SafeArrayDestroyDescriptor(psa), S_OK);
}

// Bounds are stored rightmost first and read in creation order; the first index varies fastest.
TEST(SafeArrayApi, TwoDimensionalBoundsAndIndexing) {
  SAFEARRAYBOUND created[2] = {{3, 1}, {4, -2}};  // rows 1..3, columns -2..1
  SAFEARRAY* psa = SafeArrayCreate(VT_I4, 2, created);
  ASSERT_NE(psa, nullptr);
  EXPECT_TRUE(psa->rgsabound[0].cElements == 4 && psa->rgsabound[0].lLbound == -2) << "the last bound first";
  EXPECT_EQ(bounds(psa, 1), "1..3");
  EXPECT_EQ(bounds(psa, 2), "-2..1");
  EXPECT_EQ(bounds(psa, 0), "bad index");
  EXPECT_EQ(bounds(psa, 3), "bad index");
  LONG value = 0;
  EXPECT_EQ(SafeArrayGetLBound(nullptr, 1, &value), E_INVALIDARG);
  EXPECT_EQ(SafeArrayGetUBound(psa, 1, nullptr), E_INVALIDARG);

  for (LONG row = 1; row <= 3; ++row) {
    for (LONG column = -2; column <= 1; ++column) {
      LONG indices[2] = {row, column};
      value = row * 100 + column;
      ASSERT_EQ(SafeArrayPutElement(psa, indices, &value), S_OK);
    }
  }
  const auto* data = static_cast<const LONG*>(psa->pvData);
  EXPECT_EQ(data[0], 100 - 2);   // (1, -2)
  EXPECT_EQ(data[1], 200 - 2);   // (2, -2)
  EXPECT_EQ(data[3], 100 - 1);   // (1, -1)
  EXPECT_EQ(data[11], 300 + 1);  // (3, 1)
  LONG indices[2] = {2, 0};
  void* cell = nullptr;
  ASSERT_EQ(SafeArrayPtrOfIndex(psa, indices, &cell), S_OK);
  EXPECT_EQ(*static_cast<LONG*>(cell), 200);
  struct Index { int line; LONG first; LONG second; };
  const Index outside[] = {{__LINE__, 0, 0}, {__LINE__, 4, 0}, {__LINE__, 1, -3}, {__LINE__, 1, 2}};
  for (const Index& row : outside) {
    LONG at[2] = {row.first, row.second};
    EXPECT_EQ(SafeArrayGetElement(psa, at, &value), DISP_E_BADINDEX) << "line " << row.line;
    EXPECT_EQ(SafeArrayPutElement(psa, at, &value), DISP_E_BADINDEX) << "line " << row.line;
    EXPECT_EQ(SafeArrayPtrOfIndex(psa, at, &cell), DISP_E_BADINDEX) << "line " << row.line;
  }
  EXPECT_EQ(psa->cLocks, 0u);  // failed element calls unlock again
  EXPECT_EQ(SafeArrayGetElement(nullptr, indices, &value), E_INVALIDARG);
  EXPECT_EQ(SafeArrayGetElement(psa, nullptr, &value), E_INVALIDARG);
  EXPECT_EQ(SafeArrayGetElement(psa, indices, nullptr), E_INVALIDARG);
  EXPECT_EQ(SafeArrayPutElement(psa, indices, nullptr), E_INVALIDARG);
  ASSERT_EQ(SafeArrayDestroy(psa), S_OK);
}

TEST(SafeArrayApi, StringElementsAreCopiedInAndOut) {
  SAFEARRAY* psa = SafeArrayCreateVector(VT_BSTR, 0, 2);
  BSTR mine = SysAllocStringLen(u"a\0b", 3);
  LONG index = 1;
  ASSERT_EQ(SafeArrayPutElement(psa, &index, mine), S_OK);
  BSTR stored = static_cast<BSTR*>(psa->pvData)[1];
  EXPECT_NE(stored, mine);
  SysFreeString(mine);  // the array does not depend on it
  BSTR got = nullptr;
  ASSERT_EQ(SafeArrayGetElement(psa, &index, &got), S_OK);
  EXPECT_NE(got, stored);
  EXPECT_EQ(std::u16string(got, SysStringLen(got)), std::u16string(u"a\0b", 3));
  SysFreeString(got);
  LONG first = 0;
  got = reinterpret_cast<BSTR>(1);
  ASSERT_EQ(SafeArrayGetElement(psa, &first, &got), S_OK);
  EXPECT_EQ(got, nullptr);  // an unset element is a null string
  ASSERT_EQ(SafeArrayPutElement(psa, &index, nullptr), S_OK);  // replaces (and frees) the old one
  EXPECT_EQ(static_cast<BSTR*>(psa->pvData)[1], nullptr);
  ASSERT_EQ(SafeArrayDestroy(psa), S_OK);
}

TEST(SafeArrayApi, InterfaceAndVariantElementsAreCountedExactly) {
  CountingUnknown first;
  CountingUnknown second;
  SAFEARRAY* psa = SafeArrayCreateVector(VT_UNKNOWN, 0, 3);
  LONG index = 0;
  ASSERT_EQ(SafeArrayPutElement(psa, &index, first.unknown()), S_OK);
  EXPECT_EQ(first.refs(), 2u);  // the array's own reference; ours is untouched
  index = 1;
  ASSERT_EQ(SafeArrayPutElement(psa, &index, first.unknown()), S_OK);
  EXPECT_EQ(first.refs(), 3u);
  ASSERT_EQ(SafeArrayPutElement(psa, &index, second.unknown()), S_OK);  // overwriting releases the old one once
  EXPECT_EQ(first.refs(), 2u);
  EXPECT_EQ(second.refs(), 2u);
  ASSERT_EQ(SafeArrayPutElement(psa, &index, second.unknown()), S_OK);  // the same object again: one reference
  EXPECT_EQ(second.refs(), 2u);
  IUnknown* got = nullptr;
  ASSERT_EQ(SafeArrayGetElement(psa, &index, &got), S_OK);
  EXPECT_EQ(got, second.unknown());
  EXPECT_EQ(second.refs(), 3u);  // the caller owns what Get returned
  got->Release();
  ASSERT_EQ(SafeArrayDestroy(psa), S_OK);
  EXPECT_EQ(first.refs(), 1u);
  EXPECT_EQ(second.refs(), 1u);
  EXPECT_EQ(first.releases(), 2u);  // one overwrite, one destroy

  psa = SafeArrayCreateVector(VT_VARIANT, 0, 2);  // variant elements are deep copies
  VARIANT in;
  VariantInit(&in);
  in.vt = VT_DISPATCH;
  in.pdispVal = first.dispatch();
  index = 0;
  ASSERT_EQ(SafeArrayPutElement(psa, &index, &in), S_OK);
  EXPECT_EQ(first.refs(), 2u);
  VARIANT out;
  out.vt = VT_BSTR;  // garbage an out-parameter may hold: not cleared, not freed
  out.bstrVal = reinterpret_cast<BSTR>(0x10);
  ASSERT_EQ(SafeArrayGetElement(psa, &index, &out), S_OK);
  EXPECT_EQ(out.vt, VT_DISPATCH);
  EXPECT_EQ(first.refs(), 3u);
  ASSERT_EQ(VariantClear(&out), S_OK);
  ASSERT_EQ(SafeArrayDestroy(psa), S_OK);
  EXPECT_EQ(first.refs(), 1u);
}

TEST(SafeArrayApi, LockingGuardsDestructionAndUnlockNeedsALock) {
  SAFEARRAY* psa = SafeArrayCreateVector(VT_I4, 0, 4);
  EXPECT_EQ(SafeArrayUnlock(psa), E_UNEXPECTED);
  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(psa, &data), S_OK);
  EXPECT_EQ(data, psa->pvData);
  EXPECT_EQ(psa->cLocks, 1u);
  SAFEARRAYBOUND bigger{8, 0};
  for (HRESULT hr : {SafeArrayDestroy(psa), SafeArrayDestroyData(psa), SafeArrayRedim(psa, &bigger)})
    EXPECT_EQ(hr, DISP_E_ARRAYISLOCKED);
  ASSERT_EQ(SafeArrayUnaccessData(psa), S_OK);
  EXPECT_EQ(SafeArrayUnaccessData(psa), E_UNEXPECTED);
  EXPECT_EQ(SafeArrayLock(nullptr), E_INVALIDARG);
  EXPECT_EQ(SafeArrayAccessData(psa, nullptr), E_INVALIDARG);
  EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
  EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
}

TEST(SafeArrayApi, CopyIsDeepAndKeepsTypeAndBounds) {
  CountingUnknown object;
  SAFEARRAY* psa = SafeArrayCreateVector(VT_DISPATCH, 5, 2);
  LONG index = 6;
  ASSERT_EQ(SafeArrayPutElement(psa, &index, object.dispatch()), S_OK);
  SAFEARRAY* copy = nullptr;
  ASSERT_EQ(SafeArrayCopy(psa, &copy), S_OK);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy->pvData, psa->pvData);
  EXPECT_EQ(copy->fFeatures, psa->fFeatures);
  EXPECT_EQ(object.refs(), 3u);
  EXPECT_EQ(bounds(copy, 1), "5..6");
  GUID iid{};
  ASSERT_EQ(SafeArrayGetIID(copy, &iid), S_OK);
  EXPECT_EQ(iid, IID_IDispatch);
  ASSERT_EQ(SafeArrayDestroy(copy), S_OK);
  EXPECT_EQ(object.refs(), 2u);
  ASSERT_EQ(SafeArrayCopy(nullptr, &copy), S_OK);
  EXPECT_EQ(copy, nullptr);
  EXPECT_EQ(SafeArrayCopy(psa, nullptr), E_INVALIDARG);
  ASSERT_EQ(SafeArrayDestroy(psa), S_OK);
  EXPECT_EQ(object.refs(), 1u);
}

TEST(SafeArrayApi, RedimChangesTheLastCreationBoundAndReleasesWhatFallsOff) {
  CountingUnknown object;
  SAFEARRAY* psa = SafeArrayCreateVector(VT_UNKNOWN, 0, 3);
  for (LONG i = 0; i < 3; ++i) ASSERT_EQ(SafeArrayPutElement(psa, &i, object.unknown()), S_OK);
  EXPECT_EQ(object.refs(), 4u);
  SAFEARRAYBOUND smaller{1, 0};
  ASSERT_EQ(SafeArrayRedim(psa, &smaller), S_OK);
  EXPECT_EQ(object.refs(), 2u);
  SAFEARRAYBOUND larger{4, 10};
  ASSERT_EQ(SafeArrayRedim(psa, &larger), S_OK);
  EXPECT_EQ(bounds(psa, 1), "10..13");
  IUnknown* got = reinterpret_cast<IUnknown*>(1);
  LONG index = 13;
  ASSERT_EQ(SafeArrayGetElement(psa, &index, &got), S_OK);
  EXPECT_EQ(got, nullptr);  // new elements start out empty
  ASSERT_EQ(SafeArrayDestroy(psa), S_OK);
  EXPECT_EQ(object.refs(), 1u);

  SAFEARRAYBOUND created[2] = {{2, 0}, {2, 0}};  // in two dimensions whole rows of the last one are kept
  psa = SafeArrayCreate(VT_I4, 2, created);
  LONG at[2] = {1, 1};
  LONG value = 11;
  ASSERT_EQ(SafeArrayPutElement(psa, at, &value), S_OK);
  SAFEARRAYBOUND three{3, 0};
  ASSERT_EQ(SafeArrayRedim(psa, &three), S_OK);
  EXPECT_EQ(bounds(psa, 2), "0..2");
  EXPECT_EQ(bounds(psa, 1), "0..1");
  value = 0;
  ASSERT_EQ(SafeArrayGetElement(psa, at, &value), S_OK);
  EXPECT_EQ(value, 11);
  ASSERT_EQ(SafeArrayDestroy(psa), S_OK);
  EXPECT_EQ(SafeArrayRedim(nullptr, &three), E_INVALIDARG);
}

}  // namespace
