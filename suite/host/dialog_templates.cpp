// Pane templates are child windows (DS_CONTROL) about 120 x 200 dialog units, laid out top
// to bottom with the bullet buttons along the bottom; dialogs are modal frames. Texts are left
// empty where the module sets host strings itself; the few controls it leaves alone get theirs
// from the init data.
#include "suite/host/dialog_templates.h"

#include <cstring>
#include <string>

#include "host/control_classes.h"
#include "host/dialog_init_data.h"
#include "host/pane_templates.h"
#include "platform/dialog_template_builder.h"

namespace suite {
namespace {

using host::SkinnedControlKind;

enum class Kind { skinned, tray, label, button };

struct Control {
  DWORD id;
  Kind kind;
  SkinnedControlKind skinned;
  short x, y, cx, cy;
  const char16_t* text = nullptr;  // put through the init data
};

struct Template {
  LONG id;
  bool pane;
  short cx, cy;
  std::vector<Control> controls;
};

constexpr Control skinned(DWORD id, SkinnedControlKind kind, short x, short y, short cx, short cy,
                          const char16_t* text = nullptr) {
  return Control{id, Kind::skinned, kind, x, y, cx, cy, text};
}
constexpr Control tray(DWORD id, short x, short y, short cx, short cy) {
  return Control{id, Kind::tray, SkinnedControlKind::static_text, x, y, cx, cy};
}

// Bullet buttons 11111 to 11115 in a row at the bottom of a pane.
void add_bullets(std::vector<Control>& controls, short y) {
  for (short i = 0; i < 5; ++i)
    controls.push_back(skinned(11111 + static_cast<DWORD>(i), SkinnedControlKind::bullet_button, static_cast<short>(5 + i * 22), y, 20, 14));
}

std::vector<Template> build_templates() {
  using K = SkinnedControlKind;
  std::vector<Template> all;
  {
    Template t{host::kTemplateShareByEmail, true, 120, 200, {}};
    t.controls = {skinned(1161, K::heading, 5, 5, 110, 12), skinned(1318, K::choice, 5, 22, 110, 10),
                  skinned(1490, K::check_box, 5, 36, 110, 10), skinned(1319, K::choice, 5, 50, 110, 10),
                  tray(104, 5, 66, 110, 100)};
    add_bullets(t.controls, 180);
    all.push_back(std::move(t));
  }
  {
    Template t{host::kTemplateEmailEntry, true, 120, 200, {}};
    t.controls = {skinned(1160, K::heading, 5, 5, 110, 12), tray(104, 5, 22, 110, 140)};
    add_bullets(t.controls, 180);
    all.push_back(std::move(t));
  }
  {
    Template t{host::kTemplateEmailOptionsPane, true, 120, 200, {}};
    t.controls = {skinned(1379, K::heading, 5, 5, 110, 12), skinned(1380, K::two_state_choice, 5, 22, 110, 20),
                  skinned(1381, K::push_button, 5, 46, 60, 14), tray(104, 5, 66, 110, 100)};
    add_bullets(t.controls, 180);
    all.push_back(std::move(t));
  }
  {
    Template t{host::kTemplateEmailDone, true, 120, 200, {}};
    t.controls = {skinned(1384, K::heading, 5, 5, 110, 24), tray(104, 5, 34, 110, 130)};
    add_bullets(t.controls, 180);
    all.push_back(std::move(t));
  }
  {
    Template t{host::kTemplateSlideShowOptions, true, 120, 200, {}};
    t.controls = {skinned(1484, K::heading, 5, 5, 110, 12),     skinned(1483, K::static_text, 5, 20, 110, 10),
                  skinned(1489, K::heading, 5, 34, 110, 12),    skinned(1486, K::heading, 5, 50, 110, 12),
                  skinned(1487, K::combo_box, 5, 66, 110, 12),  skinned(1485, K::heading, 5, 82, 110, 12),
                  skinned(1490, K::static_text, 5, 98, 110, 10), skinned(1488, K::static_text, 5, 112, 110, 10)};
    add_bullets(t.controls, 180);
    all.push_back(std::move(t));
  }
  const std::vector<Control> save_as = {
      skinned(201, K::folder_chooser, 5, 5, 110, 70), skinned(206, K::text_box, 5, 80, 110, 12),
      skinned(204, K::list, 5, 96, 110, 40),          skinned(205, K::check_box, 5, 140, 110, 10),
      skinned(208, K::check_box, 5, 154, 110, 10),    skinned(1026, K::text_box, 15, 166, 100, 12),
      skinned(210, K::push_button, 65, 182, 50, 14)};
  all.push_back(Template{host::kTemplateSaveAs, true, 120, 200, save_as});
  {
    Template t{host::kTemplateExport, true, 120, 210, save_as};
    t.controls.push_back(skinned(1270, K::check_box, 5, 196, 110, 10));
    all.push_back(std::move(t));
  }
  all.push_back(Template{host::kTemplateArchive,
                         true,
                         120,
                         200,
                         {skinned(30147, K::heading, 5, 5, 110, 12), skinned(30148, K::list, 5, 20, 110, 24),
                          skinned(30150, K::heading, 5, 48, 110, 12), skinned(30152, K::folder_chooser, 5, 62, 110, 60),
                          skinned(30151, K::text_box, 5, 126, 110, 12), skinned(30194, K::push_button, 5, 142, 52, 14),
                          skinned(30195, K::push_button, 63, 142, 52, 14), skinned(30153, K::heading, 5, 160, 110, 12),
                          skinned(30149, K::push_button, 5, 178, 52, 14),
                          skinned(30155, K::push_button, 63, 178, 52, 14)}});
  all.push_back(Template{host::kTemplateEmailOptionsPage,
                         true,
                         160,
                         130,
                         {skinned(1396, K::choice, 5, 5, 150, 10), skinned(1310, K::choice, 5, 18, 150, 10),
                          skinned(1312, K::choice, 5, 31, 150, 10), skinned(1397, K::list, 5, 46, 150, 30),
                          skinned(1398, K::number_box, 5, 80, 60, 12), skinned(1313, K::check_box, 5, 96, 150, 10),
                          skinned(230, K::number_box, 5, 110, 60, 12)}});
  all.push_back(Template{host::kTemplateFolderSaved,
                         false,
                         200,
                         90,
                         {skinned(1182, K::heading, 7, 7, 186, 12), skinned(1181, K::static_text, 7, 22, 186, 36),
                          skinned(1183, K::push_button, 7, 66, 58, 14, u"Show folder"),
                          skinned(1184, K::push_button, 71, 66, 58, 14, u"Copy path"),
                          skinned(1186, K::push_button, 135, 66, 58, 14, u"Close")}});
  all.push_back(Template{host::kTemplateSaveFormatWarning,
                         false,
                         200,
                         100,
                         {skinned(1271, K::heading, 7, 7, 186, 12), skinned(1272, K::static_text, 7, 22, 186, 36),
                          skinned(1273, K::check_box, 7, 62, 186, 10), skinned(1274, K::push_button, 85, 78, 50, 14),
                          skinned(1275, K::push_button, 143, 78, 50, 14)}});
  all.push_back(Template{host::kTemplateArchiveCollision,
                         false,
                         220,
                         110,
                         {skinned(1323, K::static_text, 7, 7, 206, 36), skinned(1324, K::push_button, 7, 50, 100, 14),
                          skinned(229, K::push_button, 113, 50, 100, 14), skinned(1326, K::push_button, 7, 70, 100, 14),
                          skinned(1325, K::push_button, 113, 70, 100, 14), skinned(2, K::push_button, 163, 90, 50, 14)}});
  all.push_back(Template{host::kTemplateAttachmentSizeWarning,
                         false,
                         220,
                         130,
                         {skinned(1412, K::heading, 7, 7, 206, 12), skinned(1413, K::static_text, 7, 22, 206, 20),
                          skinned(1414, K::static_text, 7, 44, 206, 20), skinned(1415, K::static_text, 7, 66, 206, 10),
                          skinned(1417, K::static_text, 7, 78, 206, 10), skinned(1411, K::check_box, 7, 92, 206, 10),
                          skinned(1364, K::push_button, 105, 110, 52, 14), skinned(1365, K::push_button, 161, 110, 52, 14)}});
  return all;
}

const std::vector<Template>& templates() {
  static const std::vector<Template> all = build_templates();
  return all;
}

const Template* find(LONG id) {
  for (const auto& t : templates())
    if (t.id == id) return &t;
  return nullptr;
}

std::u16string prog_id_of(const Control& control) {
  if (control.kind == Kind::tray) return std::u16string(host::kItemTrayProgId);
  for (const auto& entry : host::kSkinnedControlClasses)
    if (entry.kind == control.skinned) return std::u16string(entry.prog_id);
  return {};
}

std::vector<BYTE> bytes_of(const std::vector<WORD>& words) {
  const auto* first = reinterpret_cast<const BYTE*>(words.data());
  return std::vector<BYTE>(first, first + words.size() * sizeof(WORD));
}

}  // namespace

std::optional<std::vector<BYTE>> dialog_template(LONG id) {
  const Template* t = find(id);
  if (!t) return std::nullopt;
  platform::DialogTemplateBuilder builder;
  if (t->pane)
    builder.style(WS_CHILD | DS_CONTROL | WS_CLIPCHILDREN);
  else
    builder.style(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN);
  builder.rect(0, 0, t->cx, t->cy).font(platform::DialogFont{});
  for (const Control& c : t->controls) {
    platform::DialogItem item;
    item.window_class = std::u16string(u"TSGAxWin");
    item.title = prog_id_of(c);
    item.id = c.id;
    item.style = WS_VISIBLE | WS_TABSTOP;
    item.x = c.x;
    item.y = c.y;
    item.cx = c.cx;
    item.cy = c.cy;
    builder.item(std::move(item));
  }
  return bytes_of(builder.build());
}

std::optional<std::vector<BYTE>> dialog_init_data(LONG id) {
  const Template* t = find(id);
  if (!t) return std::nullopt;
  std::vector<BYTE> data;
  const auto add = [&data](DWORD id, const std::u16string& text) {
    const WORD control_id = static_cast<WORD>(id);
    const WORD message = host::kInitDataProperties;
    const DWORD size = static_cast<DWORD>(text.size() * sizeof(char16_t));
    const std::size_t at = data.size();
    data.resize(at + 8 + size);
    std::memcpy(data.data() + at, &control_id, 2);
    std::memcpy(data.data() + at + 2, &message, 2);
    std::memcpy(data.data() + at + 4, &size, 4);
    std::memcpy(data.data() + at + 8, text.data(), size);
  };
  int bullet = 0;
  for (const Control& c : t->controls) {
    if (c.kind != Kind::skinned) continue;
    if (c.skinned == SkinnedControlKind::bullet_button) {
      // Each bullet button shows its own skin image.
      const std::string number = std::to_string(++bullet);
      add(c.id, u"Image=BulletButton" + std::u16string(number.begin(), number.end()));
    } else if (c.text) {
      add(c.id, u"Text=" + std::u16string(c.text));
    }
  }
  if (data.empty()) return std::nullopt;
  data.resize(data.size() + 2);  // the closing control id 0
  return data;
}

std::vector<LONG> dialog_template_ids() {
  std::vector<LONG> ids;
  for (const auto& t : templates()) ids.push_back(t.id);
  return ids;
}

}  // namespace suite
