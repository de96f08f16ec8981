#include "suite/host/skin_store.h"

#include <initializer_list>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "host/skin.h"
#include "platform/support/reg_key.h"
#include "platform/wingdi.h"

namespace suite {
namespace {

struct Value {
  std::u16string_view name;
  DWORD value;
};

// Indents for the left edge (1), indented items (2) and nested items (3); gaps small (1),
// medium (2) and between sections (3), then the pane's top and bottom margins.
constexpr Value kHorizLayout[] = {{u"Edge", 8}, {u"Indent", 16}, {u"Nested", 24}};
constexpr Value kVertLayout[] = {{u"Small", 4}, {u"Medium", 6}, {u"Section", 8}, {u"Top", 6}, {u"BottomGap", 8}};

LONG write(std::u16string_view root, std::u16string_view key, std::span<const Value> values) {
  platform::RegKey opened;
  LONG status = opened.create(HKEY_CURRENT_USER, host::skin_key_path(root, key));
  for (const Value& v : values) {
    if (status != ERROR_SUCCESS) break;
    status = opened.set_dword(v.name, v.value);
  }
  return status;
}

LONG write(std::u16string_view root, std::u16string_view key, std::initializer_list<Value> values) {
  return write(root, key, std::span<const Value>(values.begin(), values.size()));
}

LONG write_image(std::u16string_view root, std::u16string_view name, COLORREF color, DWORD width, DWORD height) {
  const std::u16string key = std::u16string(host::kSkinImagesKey) + u"\\" + std::u16string(name);
  return write(root, key,
               {{host::kSkinImageColor, color}, {host::kSkinImageWidth, width}, {host::kSkinImageHeight, height}});
}

}  // namespace

LONG install_skin(std::u16string_view configuration_root) {
  platform::RegKey existing;
  if (existing.open(HKEY_CURRENT_USER, host::skin_key_path(configuration_root, u"ActivityPaneControl")) ==
      ERROR_SUCCESS)
    return ERROR_SUCCESS;
  LONG status = write(configuration_root, u"ActivityPaneControl", {{host::kSkinBackground, RGB(0xF4, 0xF4, 0xF0)}});
  if (status == ERROR_SUCCESS) status = write(configuration_root, u"ActivityPaneControl\\HorizLayout", kHorizLayout);
  if (status == ERROR_SUCCESS) status = write(configuration_root, u"ActivityPaneControl\\VertLayout", kVertLayout);
  if (status == ERROR_SUCCESS)
    status = write(configuration_root, u"DialogFrame", {{host::kSkinBackground, RGB(0xEC, 0xEC, 0xE8)}});
  for (int i = 1; i <= kBulletButtonImages && status == ERROR_SUCCESS; ++i) {
    const std::string number = std::to_string(i);
    status = write_image(configuration_root, u"BulletButton" + std::u16string(number.begin(), number.end()),
                         RGB(0x30, 0x60, 0xA0), 20, 20);
  }
  if (status == ERROR_SUCCESS) status = write_image(configuration_root, u"Default Menu", RGB(0xFF, 0xFF, 0xFF), 0, 0);
  if (status == ERROR_SUCCESS) status = write_image(configuration_root, u"DialogFrame", RGB(0xEC, 0xEC, 0xE8), 0, 0);
  return status;
}

}  // namespace suite
