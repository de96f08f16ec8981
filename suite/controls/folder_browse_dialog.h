// The folder chooser's modal browse dialog: the user types or edits a folder path and confirms
// it; a folder that does not exist is refused (or made, when the caller allows new folders).
#pragma once

#include <optional>
#include <string>

#include "platform/winuser.h"

namespace suite::controls {

inline constexpr int kBrowseFolderEdit = 100;

// The chosen folder as a plain path, or nullopt when the user cancelled. `start` may carry a
// "file::" prefix. `flags` & host::kFolderChooserNewFolder lets the dialog make the folder.
std::optional<std::u16string> browse_for_folder(HWND owner, std::u16string_view start, LONG flags);

// `path` without a leading "file::" (any case).
std::u16string_view without_file_protocol(std::u16string_view path) noexcept;
bool is_existing_folder(std::u16string_view path);

}  // namespace suite::controls
