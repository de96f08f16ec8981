// Element counting, indexing and ownership for SAFEARRAYs.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/src/oleauto/safe_array_layout.h"

namespace platform::oleauto {

std::optional<std::size_t> element_count(const SAFEARRAY* psa) noexcept {
  std::size_t count = 1;
  for (USHORT d = 0; d < psa->cDims; ++d) {
    if (__builtin_mul_overflow(count, static_cast<std::size_t>(psa->rgsabound[d].cElements), &count))
      return std::nullopt;
  }
  std::size_t bytes = 0;
  if (__builtin_mul_overflow(count, static_cast<std::size_t>(psa->cbElements), &bytes)) return std::nullopt;
  return count;
}

// rgIndices[0] belongs to the first dimension of creation, which the descriptor keeps last.
HRESULT element_number(const SAFEARRAY* psa, const LONG* rgIndices, std::size_t& number) noexcept {
  std::size_t cell = 0;
  std::size_t stride = 1;
  for (USHORT i = 0; i < psa->cDims; ++i) {
    const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - 1 - i];
    const std::int64_t offset = static_cast<std::int64_t>(rgIndices[i]) - bound.lLbound;
    if (offset < 0 || offset >= static_cast<std::int64_t>(bound.cElements)) return DISP_E_BADINDEX;
    cell += static_cast<std::size_t>(offset) * stride;
    stride *= bound.cElements;
  }
  number = cell;
  return S_OK;
}

void clear_elements(USHORT features, void* data, ULONG cbElements, std::size_t count) noexcept {
  if (!data) return;
  auto* bytes = static_cast<char*>(data);
  if (features & FADF_BSTR) {
    auto* items = static_cast<BSTR*>(data);
    for (std::size_t i = 0; i < count; ++i) SysFreeString(std::exchange(items[i], nullptr));
  } else if (features & (FADF_UNKNOWN | FADF_DISPATCH)) {
    auto* items = static_cast<IUnknown**>(data);
    for (std::size_t i = 0; i < count; ++i)
      if (IUnknown* p = std::exchange(items[i], nullptr)) p->Release();
  } else if (features & FADF_VARIANT) {
    auto* items = static_cast<VARIANT*>(data);
    for (std::size_t i = 0; i < count; ++i) VariantClear(&items[i]);
  }
  std::memset(bytes, 0, count * cbElements);
}

HRESULT copy_elements(USHORT features, const void* src, void* dst, ULONG cbElements, std::size_t count) noexcept {
  if (features & FADF_BSTR) {
    auto* from = static_cast<const BSTR*>(src);
    auto* to = static_cast<BSTR*>(dst);
    for (std::size_t i = 0; i < count; ++i) {
      if (!from[i]) continue;
      to[i] = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(from[i]), SysStringByteLen(from[i]));
      if (!to[i]) return E_OUTOFMEMORY;
    }
  } else if (features & (FADF_UNKNOWN | FADF_DISPATCH)) {
    auto* from = static_cast<IUnknown* const*>(src);
    auto* to = static_cast<IUnknown**>(dst);
    for (std::size_t i = 0; i < count; ++i) {
      to[i] = from[i];
      if (to[i]) to[i]->AddRef();
    }
  } else if (features & FADF_VARIANT) {
    auto* from = static_cast<const VARIANT*>(src);
    auto* to = static_cast<VARIANT*>(dst);
    for (std::size_t i = 0; i < count; ++i) {
      const HRESULT hr = VariantCopy(&to[i], &from[i]);
      if (FAILED(hr)) return hr;
    }
  } else {
    std::memcpy(dst, src, count * cbElements);
  }
  return S_OK;
}

void* allocate_data(std::size_t bytes) noexcept { return std::calloc(bytes ? bytes : 1, 1); }

}  // namespace platform::oleauto
