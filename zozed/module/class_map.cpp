#include "zozed/module/class_map.h"

#include "zozed/email/panes/email_done_pane.h"
#include "zozed/email/panes/share_by_email_pane.h"
#include "zozed/module/class_ids.h"
#include "zozed/module/service_manager.h"
#include "zozed/panes/pane_component.h"

namespace zozed {

std::span<const platform::ClassEntry> class_map() {
  static constexpr platform::ClassEntry kClasses[] = {
      platform::class_entry<PaneComponent<CLSID_STGSharedSaveAs>>(CLSID_STGSharedSaveAs),
      platform::class_entry<STGShareManager>(CLSID_STGShareManager),
      platform::class_entry<email::STGShareByEmail>(CLSID_STGShareByEmail),
      platform::class_entry<PaneComponent<CLSID_STGSharedExport>>(CLSID_STGSharedExport),
      platform::class_entry<STGSaveManager>(CLSID_STGSaveManager),
      platform::class_entry<PaneComponent<CLSID_STGArchivePane>>(CLSID_STGArchivePane),
      platform::class_entry<PaneComponent<CLSID_STGEmailGenPan>>(CLSID_STGEmailGenPan),
      platform::class_entry<PaneComponent<CLSID_STGEmailOptPane>>(CLSID_STGEmailOptPane),
      platform::class_entry<PaneComponent<CLSID_STGSlideShowOptPane>>(CLSID_STGSlideShowOptPane),
      platform::class_entry<STGEmailDonePane>(CLSID_STGEmailDonePane),
      platform::class_entry<PaneComponent<CLSID_STGEmailOptions>>(CLSID_STGEmailOptions),
  };
  return kClasses;
}

}  // namespace zozed
