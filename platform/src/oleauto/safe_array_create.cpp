// SAFEARRAY creation and destruction. The descriptor is allocated with 16 hidden bytes in
// front of it; bounds are stored right-most dimension first.
#include <cstdlib>
#include <cstring>

#include "platform/src/oleauto/safe_array_layout.h"
#include "platform/src/oleauto/vartype_rules.h"

using namespace platform::oleauto;

namespace {

// Type flags and the hidden VARTYPE or IID for an array of `vt`, as Windows records them.
void set_features(SAFEARRAY* psa, VARTYPE vt) {
  switch (vt) {
    case VT_UNKNOWN:
      psa->fFeatures = FADF_HAVEIID | FADF_UNKNOWN;
      hidden_iid(psa) = IID_IUnknown;
      return;
    case VT_DISPATCH:
      psa->fFeatures = FADF_HAVEIID | FADF_DISPATCH;
      hidden_iid(psa) = IID_IDispatch;
      return;
    case VT_BSTR:
      psa->fFeatures = FADF_HAVEVARTYPE | FADF_BSTR;
      break;
    case VT_VARIANT:
      psa->fFeatures = FADF_HAVEVARTYPE | FADF_VARIANT;
      break;
    default:
      psa->fFeatures = FADF_HAVEVARTYPE;
      break;
  }
  hidden_vartype(psa) = vt;
}

}  // namespace

STDAPI SafeArrayAllocDescriptor(UINT cDims, SAFEARRAY** ppsaOut) {
  if (!ppsaOut) return E_POINTER;
  *ppsaOut = nullptr;
  if (cDims == 0 || cDims > 0xFFFF) return E_INVALIDARG;
  auto* block = static_cast<char*>(std::calloc(1, kHiddenBytes + descriptor_bytes(cDims)));
  if (!block) return E_OUTOFMEMORY;
  auto* psa = reinterpret_cast<SAFEARRAY*>(block + kHiddenBytes);
  psa->cDims = static_cast<USHORT>(cDims);
  *ppsaOut = psa;
  return S_OK;
}

// Records (VT_RECORD) need an IRecordInfo and are not supported.
STDAPI SafeArrayAllocDescriptorEx(VARTYPE vt, UINT cDims, SAFEARRAY** ppsaOut) {
  if (!ppsaOut) return E_POINTER;
  *ppsaOut = nullptr;
  const ULONG size = array_element_size(vt);
  if (size == 0) return E_INVALIDARG;
  SAFEARRAY* psa = nullptr;
  const HRESULT hr = SafeArrayAllocDescriptor(cDims, &psa);
  if (FAILED(hr)) return hr;
  psa->cbElements = size;
  set_features(psa, vt);
  *ppsaOut = psa;
  return S_OK;
}

STDAPI SafeArrayAllocData(SAFEARRAY* psa) {
  if (!psa) return E_INVALIDARG;
  const auto count = element_count(psa);
  if (!count) return E_OUTOFMEMORY;
  void* data = allocate_data(*count * psa->cbElements);
  if (!data) return E_OUTOFMEMORY;
  psa->pvData = data;
  return S_OK;
}

STDAPI_(SAFEARRAY*) SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound) {
  if (!rgsabound || cDims == 0) return nullptr;
  SAFEARRAY* psa = nullptr;
  if (FAILED(SafeArrayAllocDescriptorEx(vt, cDims, &psa))) return nullptr;
  for (UINT d = 0; d < cDims; ++d) psa->rgsabound[d] = rgsabound[cDims - 1 - d];
  if (FAILED(SafeArrayAllocData(psa))) {
    (void)SafeArrayDestroyDescriptor(psa);
    return nullptr;
  }
  return psa;
}

// pvExtra is the element IID for VT_UNKNOWN and VT_DISPATCH arrays; other types ignore it.
STDAPI_(SAFEARRAY*) SafeArrayCreateEx(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound, PVOID pvExtra) {
  SAFEARRAY* psa = SafeArrayCreate(vt, cDims, rgsabound);
  if (psa && pvExtra && (psa->fFeatures & FADF_HAVEIID)) hidden_iid(psa) = *static_cast<const GUID*>(pvExtra);
  return psa;
}

STDAPI_(SAFEARRAY*) SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
  SAFEARRAYBOUND bound{cElements, lLbound};
  return SafeArrayCreate(vt, 1, &bound);
}

STDAPI SafeArrayDestroyData(SAFEARRAY* psa) {
  if (!psa) return E_INVALIDARG;
  if (psa->cLocks) return DISP_E_ARRAYISLOCKED;
  if (!psa->pvData) return S_OK;
  const auto count = element_count(psa);
  clear_elements(psa->fFeatures, psa->pvData, psa->cbElements, count.value_or(0));
  // Storage the array does not own is only cleared.
  if (!(psa->fFeatures & kForeignStorageFlags)) {
    std::free(psa->pvData);
    psa->pvData = nullptr;
  }
  return S_OK;
}

STDAPI SafeArrayDestroyDescriptor(SAFEARRAY* psa) {
  if (!psa) return S_OK;
  if (psa->cLocks) return DISP_E_ARRAYISLOCKED;
  std::free(reinterpret_cast<char*>(psa) - kHiddenBytes);
  return S_OK;
}

STDAPI SafeArrayDestroy(SAFEARRAY* psa) {
  if (!psa) return S_OK;
  if (psa->cLocks) return DISP_E_ARRAYISLOCKED;
  const HRESULT hr = SafeArrayDestroyData(psa);
  if (FAILED(hr)) return hr;
  return SafeArrayDestroyDescriptor(psa);
}
