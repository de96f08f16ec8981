// The settings locator of a pane that keeps per-component settings (Save As, export, archive):
// its key is the host's configuration root + "\Options" + the catalogue suffix + "\" + the
// pane's CLSID, the key a catalogue entry's `Cfg Dir Ref` names; "CmpntDir" lives there.
#pragma once

#include <optional>
#include <string>

#include "host/environment.h"
#include "platform/support/com_ptr.h"

namespace zozed {

inline constexpr const char16_t* kShareCatalogueSuffix = u"\\TSGShare";
inline constexpr const char16_t* kArchiveCatalogueSuffix = u"\\Archive";
inline constexpr const char16_t* kComponentFolderValue = u"CmpntDir";

class ComponentSettingsLocator {
 public:
  ComponentSettingsLocator(const CLSID& pane, std::u16string suffix);

  IClientEnvironment* environment() const noexcept { return environment_.get(); }
  const std::u16string& pane_clsid() const noexcept { return clsid_; }
  // The settings key below HKEY_CURRENT_USER; empty without an environment.
  std::optional<std::u16string> settings_key() const;
  // The component's folder ("CmpntDir"), empty when none is set.
  std::u16string component_folder() const;
  [[nodiscard]] HRESULT set_component_folder(std::u16string_view folder) const;

 private:
  platform::ComPtr<IClientEnvironment> environment_;
  std::u16string clsid_;
  std::u16string suffix_;
};

}  // namespace zozed
