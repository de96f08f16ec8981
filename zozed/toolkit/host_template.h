// Dialog templates from the host: a template and its init data fetched by number through the
// environment, and the host's busy cursor shown while a window is built from one.
#pragma once

#include <optional>
#include <vector>

#include "host/environment.h"
#include "platform/winuser.h"

namespace zozed::toolkit {

struct HostTemplate {
  std::vector<BYTE> dialog;     // DLGTEMPLATE or DLGTEMPLATEEX bytes
  std::vector<BYTE> init_data;  // empty when the host has none

  LPCDLGTEMPLATEW get() const noexcept { return reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()); }
};

// Template `id` (resource type 5) and, when there is one, its init data (type 240); none
// when the environment fails or has no such template.
std::optional<HostTemplate> load_host_template(IClientEnvironment* environment, LONG id);

// Shows a cursor for a scope and puts the previous one back; a null cursor changes nothing.
class CursorScope {
 public:
  explicit CursorScope(HCURSOR cursor) noexcept;
  ~CursorScope();
  CursorScope(const CursorScope&) = delete;
  CursorScope& operator=(const CursorScope&) = delete;
  // Puts the previous cursor back now.
  void restore() noexcept;

 private:
  bool active_;
  HCURSOR previous_;
};

// The host's busy cursor (7053), or null.
HCURSOR host_busy_cursor(IClientEnvironment* environment) noexcept;

}  // namespace zozed::toolkit
