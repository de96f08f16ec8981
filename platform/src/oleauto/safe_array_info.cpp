// SAFEARRAY queries: dimensions, element size, bounds (nDim counts from 1, in creation order),
// element type and interface identifier.
#include "platform/src/oleauto/safe_array_layout.h"

using namespace platform::oleauto;

STDAPI_(UINT) SafeArrayGetDim(SAFEARRAY* psa) { return psa ? psa->cDims : 0; }

STDAPI_(UINT) SafeArrayGetElemsize(SAFEARRAY* psa) { return psa ? psa->cbElements : 0; }

STDAPI SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
  if (!psa || !plLbound) return E_INVALIDARG;
  if (nDim == 0 || nDim > psa->cDims) return DISP_E_BADINDEX;
  *plLbound = psa->rgsabound[psa->cDims - nDim].lLbound;
  return S_OK;
}

STDAPI SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
  if (!psa || !plUbound) return E_INVALIDARG;
  if (nDim == 0 || nDim > psa->cDims) return DISP_E_BADINDEX;
  const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - nDim];
  *plUbound = static_cast<LONG>(static_cast<LONGLONG>(bound.lLbound) + bound.cElements - 1);
  return S_OK;
}

// Checked in the order the documentation gives: the stored VARTYPE, then the type flags.
STDAPI SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
  if (!psa || !pvt) return E_INVALIDARG;
  if (psa->fFeatures & FADF_HAVEVARTYPE) {
    *pvt = static_cast<VARTYPE>(hidden_vartype(psa));
  } else if (psa->fFeatures & FADF_RECORD) {
    *pvt = VT_RECORD;
  } else if (psa->fFeatures & FADF_DISPATCH) {
    *pvt = VT_DISPATCH;
  } else if (psa->fFeatures & FADF_UNKNOWN) {
    *pvt = VT_UNKNOWN;
  } else if (psa->fFeatures & FADF_HAVEIID) {
    *pvt = IsEqualGUID(hidden_iid(psa), IID_IDispatch) ? VT_DISPATCH : VT_UNKNOWN;
  } else {
    return E_INVALIDARG;
  }
  return S_OK;
}

STDAPI SafeArrayGetIID(SAFEARRAY* psa, GUID* pguid) {
  if (!psa || !pguid || !(psa->fFeatures & FADF_HAVEIID)) return E_INVALIDARG;
  *pguid = hidden_iid(psa);
  return S_OK;
}

STDAPI SafeArraySetIID(SAFEARRAY* psa, REFGUID guid) {
  if (!psa || !(psa->fFeatures & FADF_HAVEIID)) return E_INVALIDARG;
  hidden_iid(psa) = guid;
  return S_OK;
}
