// The host control classes the suite session registers: each class id with its creator.
#pragma once

#include <span>

#include "suite/host/suite_objects.h"

namespace suite::controls {

struct ControlClass {
  const CLSID* clsid;
  ObjectCreator create;
};

std::span<const ControlClass> control_classes();

// Writes HKEY_CLASSES_ROOT\<ProgID>\CLSID for every control class, versioned and
// version-independent, so that a control-host window finds a control by ProgID.
[[nodiscard]] HRESULT register_control_prog_ids();

}  // namespace suite::controls
