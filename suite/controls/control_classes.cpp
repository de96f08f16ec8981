#include "suite/controls/control_classes.h"

#include <array>
#include <string>
#include <vector>

#include "platform/combaseapi.h"
#include "platform/support/reg_key.h"

#include "host/item_tray.h"
#include "host/skinned_controls.h"
#include "suite/controls/item_tray.h"
#include "suite/controls/skinned_control.h"

namespace suite::controls {
namespace {

template <SkinnedControlKind Kind>
HRESULT create_control(const std::shared_ptr<SuiteState>&, REFIID riid, void** ppv) {
  return create_skinned_control(Kind, riid, ppv);
}

HRESULT create_tray(const std::shared_ptr<SuiteState>&, REFIID riid, void** ppv) { return create_item_tray(riid, ppv); }

template <std::size_t... I>
constexpr auto skinned_classes(std::index_sequence<I...>) {
  return std::array<ControlClass, sizeof...(I)>{
      {{host::kSkinnedControlClasses[I].clsid, &create_control<host::kSkinnedControlClasses[I].kind>}...}};
}

constexpr auto kSkinned = skinned_classes(std::make_index_sequence<host::kSkinnedControlClasses.size()>());

constexpr auto kAll = [] {
  std::array<ControlClass, kSkinned.size() + 2> all{};
  for (std::size_t i = 0; i < kSkinned.size(); ++i) all[i] = kSkinned[i];
  all[kSkinned.size()] = {&host::CLSID_ItemTray, &create_tray};
  all[kSkinned.size() + 1] = {&host::CLSID_ItemTrayStrip, &create_tray};
  return all;
}();

}  // namespace

std::span<const ControlClass> control_classes() { return kAll; }

HRESULT register_control_prog_ids() {
  struct Named {
    const CLSID* clsid;
    std::u16string_view prog_id;
  };
  std::vector<Named> names;
  for (const auto& entry : host::kSkinnedControlClasses) names.push_back({entry.clsid, entry.prog_id});
  names.push_back({&host::CLSID_ItemTray, host::kItemTrayProgId});
  names.push_back({&host::CLSID_ItemTrayStrip, host::kItemTrayStripProgId});
  for (const auto& name : names) {
    OLECHAR text[40]{};
    if (StringFromGUID2(*name.clsid, text, 40) == 0) return E_UNEXPECTED;
    const std::u16string versioned(name.prog_id);
    const std::u16string bare = versioned.substr(0, versioned.rfind(u'.'));
    for (const auto& prog_id : {versioned, bare}) {
      platform::RegKey key;
      LONG status = key.create(HKEY_CLASSES_ROOT, prog_id + u"\\CLSID");
      if (status == ERROR_SUCCESS) status = key.set_string(u"", text);
      if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    }
  }
  return S_OK;
}

}  // namespace suite::controls
