#include "platform/support/com_error.h"

#include <cstdio>

namespace platform {

namespace {
std::string describe(HRESULT hr, const IID& iid, const std::source_location& where) {
  char text[160];
  std::snprintf(text, sizeof text,
                "HRESULT 0x%08X from {%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(hr), static_cast<unsigned>(iid.Data1), iid.Data2, iid.Data3, iid.Data4[0],
                iid.Data4[1], iid.Data4[2], iid.Data4[3], iid.Data4[4], iid.Data4[5], iid.Data4[6], iid.Data4[7]);
  return std::string(text) + " at " + where.file_name() + ":" + std::to_string(where.line());
}
}  // namespace

ComError::ComError(HRESULT hr, const IID& iid, std::source_location where)
    : hr_(hr), iid_(iid), where_(where), text_(describe(hr, iid, where)) {}

}  // namespace platform
