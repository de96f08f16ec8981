#include "zozed/toolkit/host_template.h"

#include "platform/oleauto.h"
#include "platform/support/variant.h"

namespace zozed::toolkit {
namespace {

// The bytes of a resource answered as a one-dimensional byte array.
bool bytes_of(const platform::Variant& value, std::vector<BYTE>& out) {
  if (value.vt() != (VT_ARRAY | VT_UI1) || !value.get()->parray) return false;
  SAFEARRAY* array = value.get()->parray;
  LONG lower = 0, upper = -1;
  if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper))) return false;
  if (upper < lower) return false;
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(array, &data))) return false;
  const auto* first = static_cast<const BYTE*>(data);
  out.assign(first, first + (upper - lower + 1));
  SafeArrayUnaccessData(array);
  return true;
}

}  // namespace

std::optional<HostTemplate> load_host_template(IClientEnvironment* environment, LONG id) {
  if (!environment) return std::nullopt;
  HostTemplate found;
  platform::Variant resource;
  const HRESULT hr = environment->GetResource(id, host::kResourceDialogTemplate, resource.put());
  if (FAILED(hr) || !bytes_of(resource, found.dialog) || found.dialog.size() < sizeof(DLGTEMPLATE))
    return std::nullopt;
  platform::Variant init;
  if (SUCCEEDED(environment->GetResource(id, host::kResourceInitData, init.put())))
    (void)bytes_of(init, found.init_data);
  return found;
}

CursorScope::CursorScope(HCURSOR cursor) noexcept
    : active_(cursor != nullptr), previous_(active_ ? SetCursor(cursor) : nullptr) {}

CursorScope::~CursorScope() { restore(); }

void CursorScope::restore() noexcept {
  if (active_) SetCursor(previous_);
  active_ = false;
}

HCURSOR host_busy_cursor(IClientEnvironment* environment) noexcept {
  HCURSOR busy = nullptr;
  if (!environment || FAILED(environment->GetCursor(host::kBusyCursor, &busy))) return nullptr;
  return busy;
}

}  // namespace zozed::toolkit
