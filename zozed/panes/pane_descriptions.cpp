#include "zozed/panes/pane_descriptions.h"

#include <array>

#include "host/pane_templates.h"
#include "zozed/module/class_ids.h"
#include "zozed/panes/component_settings.h"

namespace zozed {
namespace {

constexpr LayoutItem kEmailDoneItems[] = {{1384, 0x313}};
constexpr LayoutItem kEmailOptPaneItems[] = {{1379, 0x313}, {1380, 0x323}, {1381, 0x21}};
constexpr LayoutItem kShareByEmailItems[] = {{1161, 0x313}, {1318, 0x323}, {1490, 0x333}, {1319, 0x323}};
constexpr LayoutItem kSlideShowItems[] = {{1484, 0x113}, {1483, 0x323}, {1489, 0x213}, {1486, 0x123},
                                          {1487, 0x323}, {1485, 0x123}, {1490, 0x323}, {1488, 0x23}};

constexpr LayoutGroup kEmailDoneGroups[] = {{kEmailDoneItems, 1, 0x1}};
constexpr LayoutGroup kEmailOptPaneGroups[] = {{kEmailOptPaneItems, 3, 0x11}};
constexpr LayoutGroup kShareByEmailGroups[] = {{kShareByEmailItems, 4, 0x1}};
constexpr LayoutGroup kSlideShowGroups[] = {{kSlideShowItems, 8, 0x11}};

constexpr std::array<PaneDescription, 9> kPanes{{
    {&CLSID_STGSharedSaveAs, u"STGSharedSaveAs", host::kTemplateSaveAs, {}, kShareCatalogueSuffix},
    {&CLSID_STGShareByEmail, u"STGShareByEmail", host::kTemplateShareByEmail, kShareByEmailGroups, nullptr},
    {&CLSID_STGSharedExport, u"STGSharedExport", host::kTemplateExport, {}, kShareCatalogueSuffix},
    {&CLSID_STGArchivePane, u"STGArchivePane", host::kTemplateArchive, {}, kArchiveCatalogueSuffix},
    {&CLSID_STGEmailGenPan, u"STGEmailGenPan", host::kTemplateEmailEntry, {}, nullptr},
    {&CLSID_STGEmailOptPane, u"STGEmailOptPane", host::kTemplateEmailOptionsPane, kEmailOptPaneGroups, nullptr},
    {&CLSID_STGSlideShowOptPane, u"STGSlideShowOptPane", host::kTemplateSlideShowOptions, kSlideShowGroups, nullptr},
    {&CLSID_STGEmailDonePane, u"STGEmailDonePane", host::kTemplateEmailDone, kEmailDoneGroups, nullptr},
    {&CLSID_STGEmailOptions, u"STGEmailOptions", host::kTemplateEmailOptionsPage, {}, nullptr},
}};

}  // namespace

const PaneDescription* pane_description(REFCLSID clsid) noexcept {
  for (const auto& pane : kPanes)
    if (IsEqualGUID(*pane.clsid, clsid)) return &pane;
  return nullptr;
}

}  // namespace zozed
