// SafeArrayRedim: changes the bound the descriptor keeps first, the last dimension given at
// creation. It varies slowest in memory, so the data only grows or shrinks at its end.
#include <cstdlib>
#include <cstring>

#include "platform/src/oleauto/safe_array_layout.h"

using namespace platform::oleauto;

STDAPI SafeArrayRedim(SAFEARRAY* psa, SAFEARRAYBOUND* psaboundNew) {
  if (!psa || !psaboundNew) return E_INVALIDARG;
  if (psa->fFeatures & (FADF_FIXEDSIZE | kForeignStorageFlags)) return E_INVALIDARG;
  if (psa->cLocks) return DISP_E_ARRAYISLOCKED;

  SAFEARRAYBOUND& bound = psa->rgsabound[0];
  if (psa->pvData && psaboundNew->cElements != bound.cElements) {
    // Elements per step of the changed bound: the product of every other dimension.
    std::size_t per_step = 1;
    for (USHORT d = 1; d < psa->cDims; ++d)
      if (__builtin_mul_overflow(per_step, static_cast<std::size_t>(psa->rgsabound[d].cElements), &per_step))
        return E_OUTOFMEMORY;
    std::size_t new_count = 0;
    std::size_t new_bytes = 0;
    if (__builtin_mul_overflow(per_step, static_cast<std::size_t>(psaboundNew->cElements), &new_count) ||
        __builtin_mul_overflow(new_count, static_cast<std::size_t>(psa->cbElements), &new_bytes))
      return E_OUTOFMEMORY;
    const std::size_t old_count = per_step * bound.cElements;
    auto* data = static_cast<char*>(psa->pvData);
    if (new_count < old_count) {
      clear_elements(psa->fFeatures, data + new_count * psa->cbElements, psa->cbElements, old_count - new_count);
      if (void* smaller = std::realloc(data, new_bytes ? new_bytes : 1)) psa->pvData = smaller;
    } else {
      auto* larger = static_cast<char*>(std::realloc(data, new_bytes ? new_bytes : 1));
      if (!larger) return E_OUTOFMEMORY;
      std::memset(larger + old_count * psa->cbElements, 0, (new_count - old_count) * psa->cbElements);
      psa->pvData = larger;
    }
  }
  bound = *psaboundNew;
  return S_OK;
}
