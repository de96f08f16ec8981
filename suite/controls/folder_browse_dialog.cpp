#include "suite/controls/folder_browse_dialog.h"

#include "host/skinned_controls.h"
#include "platform/dialog_template_builder.h"
#include "platform/fileapi.h"

namespace suite::controls {
namespace {

struct BrowseState {
  std::u16string folder;
  LONG flags = 0;
};

std::u16string edit_text(HWND dialog) {
  char16_t buffer[1024]{};
  GetDlgItemTextW(dialog, kBrowseFolderEdit, buffer, 1024);
  return buffer;
}

INT_PTR CALLBACK browse_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<BrowseState*>(lparam);
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      SetDlgItemTextW(dialog, kBrowseFolderEdit, state->folder.c_str());
      return TRUE;
    }
    case WM_COMMAND: {
      auto* state = reinterpret_cast<BrowseState*>(GetWindowLongPtrW(dialog, DWLP_USER));
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      if (LOWORD(wparam) != IDOK || !state) return FALSE;
      const std::u16string typed = edit_text(dialog);
      bool usable = is_existing_folder(typed);
      if (!usable && !typed.empty() && (state->flags & host::kFolderChooserNewFolder))
        usable = CreateDirectoryW(std::u16string(without_file_protocol(typed)).c_str(), nullptr) != FALSE;
      if (!usable) {
        MessageBeep(MB_ICONEXCLAMATION);
        return TRUE;  // stays open for another folder
      }
      state->folder.assign(without_file_protocol(typed));
      EndDialog(dialog, IDOK);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

std::u16string_view without_file_protocol(std::u16string_view path) noexcept {
  constexpr std::u16string_view kPrefix = u"file::";
  if (path.size() < kPrefix.size()) return path;
  for (std::size_t i = 0; i < kPrefix.size(); ++i) {
    char16_t c = path[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != kPrefix[i]) return path;
  }
  return path.substr(kPrefix.size());
}

bool is_existing_folder(std::u16string_view path) {
  const std::u16string local(without_file_protocol(path));
  if (local.empty()) return false;
  const DWORD attributes = GetFileAttributesW(local.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::u16string> browse_for_folder(HWND owner, std::u16string_view start, LONG flags) {
  const auto dialog = platform::DialogTemplateBuilder()
                          .title(u"Browse for Folder")
                          .rect(0, 0, 240, 70)
                          .label(0, u"Folder:", 7, 7, 226, 10)
                          .edit(kBrowseFolderEdit, u"", 7, 20, 226, 14, ES_AUTOHSCROLL)
                          .button(IDOK, u"OK", 129, 46, 50, 14, BS_DEFPUSHBUTTON)
                          .button(IDCANCEL, u"Cancel", 183, 46, 50, 14)
                          .build();
  BrowseState state{std::u16string(without_file_protocol(start)), flags};
  const INT_PTR result = DialogBoxIndirectParamW(nullptr, platform::as_template(dialog), owner, &browse_proc,
                                                 reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return std::nullopt;
  return state.folder;
}

}  // namespace suite::controls
