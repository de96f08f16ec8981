// Internals shared by the SAFEARRAY functions: the 16 hidden bytes before a descriptor (the
// element IID, or the VARTYPE in their last 4 bytes, as Windows keeps them), element counts
// and offsets, and the ownership rules for elements selected by the FADF_* flags.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/oleauto.h"

namespace platform::oleauto {

inline constexpr std::size_t kHiddenBytes = 16;
inline constexpr USHORT kOwnedElementFlags = FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH | FADF_VARIANT;
inline constexpr USHORT kForeignStorageFlags = FADF_AUTO | FADF_STATIC | FADF_EMBEDDED;

inline GUID& hidden_iid(SAFEARRAY* psa) { return reinterpret_cast<GUID*>(psa)[-1]; }
inline DWORD& hidden_vartype(SAFEARRAY* psa) { return reinterpret_cast<DWORD*>(psa)[-1]; }

inline std::size_t descriptor_bytes(UINT cDims) {
  return sizeof(SAFEARRAY) + (cDims - 1) * sizeof(SAFEARRAYBOUND);
}

// Elements across all dimensions; empty when the byte size would not fit in memory.
std::optional<std::size_t> element_count(const SAFEARRAY* psa) noexcept;

// Element number (0-based, first index fastest) of rgIndices, or DISP_E_BADINDEX.
HRESULT element_number(const SAFEARRAY* psa, const LONG* rgIndices, std::size_t& number) noexcept;

// Releases what the elements own (BSTRs, interfaces, VARIANT contents) and zeroes them.
void clear_elements(USHORT features, void* data, ULONG cbElements, std::size_t count) noexcept;

// Deep-copies `count` elements into zeroed or cleared storage.
HRESULT copy_elements(USHORT features, const void* src, void* dst, ULONG cbElements, std::size_t count) noexcept;

// Allocates zeroed storage of at least one byte.
void* allocate_data(std::size_t bytes) noexcept;

}  // namespace platform::oleauto
