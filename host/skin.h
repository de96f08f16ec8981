// How the suite serves its skin. Skin values live in the registry below HKEY_CURRENT_USER at
// the environment's configuration root (IClientEnvironment::get_ConfigurationRoot) + "\Skin\"
// + the skin key, e.g. "...\Skin\ActivityPaneControl\VertLayout": each key an ordered set of
// named REG_DWORD values, the enumeration order being the skin's order. Skin images are
// subkeys of "\Skin\Images" named after the image ("BulletButton1", "Default Menu",
// "DialogFrame"), whose values describe the image.
#pragma once

#include <string>
#include <string_view>

#include "platform/windef.h"

namespace host {

inline constexpr std::u16string_view kSkinFolder = u"\\Skin\\";
inline constexpr std::u16string_view kSkinImagesKey = u"Images";

// Values every skin key may have.
inline constexpr std::u16string_view kSkinBackground = u"Background";  // REG_DWORD COLORREF of the window's face
// Values of a skin image key.
inline constexpr std::u16string_view kSkinImageColor = u"Color";    // REG_DWORD COLORREF
inline constexpr std::u16string_view kSkinImageWidth = u"Width";    // REG_DWORD pixels
inline constexpr std::u16string_view kSkinImageHeight = u"Height";  // REG_DWORD pixels

// The registry path (below HKEY_CURRENT_USER) of skin key `key` under configuration root `root`.
inline std::u16string skin_key_path(std::u16string_view root, std::u16string_view key) {
  std::u16string path(root);
  path += kSkinFolder;
  path += key;
  return path;
}

}  // namespace host
