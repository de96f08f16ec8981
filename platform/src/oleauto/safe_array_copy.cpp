// Deep copies of SAFEARRAYs: new BSTRs, AddRef'd interfaces, VariantCopy'd VARIANTs.
#include <cstring>

#include "platform/src/oleauto/safe_array_layout.h"

using namespace platform::oleauto;

namespace {

bool same_shape(const SAFEARRAY* a, const SAFEARRAY* b) {
  if (a->cDims != b->cDims || a->cbElements != b->cbElements) return false;
  for (USHORT d = 0; d < a->cDims; ++d)
    if (a->rgsabound[d].cElements != b->rgsabound[d].cElements || a->rgsabound[d].lLbound != b->rgsabound[d].lLbound)
      return false;
  return true;
}

}  // namespace

// The copy owns its storage, so the flags saying otherwise are not carried over.
STDAPI SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
  if (!ppsaOut) return E_INVALIDARG;
  *ppsaOut = nullptr;
  if (!psa) return S_OK;
  SAFEARRAY* copy = nullptr;
  HRESULT hr = SafeArrayAllocDescriptor(psa->cDims, &copy);
  if (FAILED(hr)) return hr;
  std::memcpy(reinterpret_cast<char*>(copy) - kHiddenBytes, reinterpret_cast<const char*>(psa) - kHiddenBytes,
              kHiddenBytes + descriptor_bytes(psa->cDims));
  copy->fFeatures = psa->fFeatures & ~kForeignStorageFlags;
  copy->cLocks = 0;
  copy->pvData = nullptr;
  if (psa->pvData) {
    hr = SafeArrayAllocData(copy);
    if (SUCCEEDED(hr)) hr = SafeArrayCopyData(psa, copy);
    if (FAILED(hr)) {
      (void)SafeArrayDestroy(copy);
      return hr;
    }
  }
  *ppsaOut = copy;
  return S_OK;
}

// The target's own elements are released before the source's are copied in.
STDAPI SafeArrayCopyData(SAFEARRAY* psaSource, SAFEARRAY* psaTarget) {
  if (!psaSource || !psaTarget || !psaSource->pvData || !psaTarget->pvData) return E_INVALIDARG;
  if (!same_shape(psaSource, psaTarget)) return E_INVALIDARG;
  if ((psaSource->fFeatures & kOwnedElementFlags) != (psaTarget->fFeatures & kOwnedElementFlags)) return E_INVALIDARG;
  const auto count = element_count(psaSource);
  if (!count) return E_INVALIDARG;
  clear_elements(psaTarget->fFeatures, psaTarget->pvData, psaTarget->cbElements, *count);
  return copy_elements(psaSource->fFeatures, psaSource->pvData, psaTarget->pvData, psaSource->cbElements, *count);
}
