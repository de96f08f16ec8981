#include "zozed/email/engine/save_for_later.h"

#include "platform/fileapi.h"
#include "zozed/email/engine/attachment_entries.h"
#include "zozed/email/engine/copy_media_file.h"
#include "zozed/email/engine/engine_paths.h"
#include "zozed/email/engine/unique_file_name.h"

namespace zozed::email {

SavedForLater SaveItemsForLater(const ItemList& attachments, std::u16string_view folder) {
  SavedForLater saved;
  if (attachments.empty()) return saved;
  const std::u16string directory = std::u16string(folder) + u'\\';
  for (const AttachmentEntry& entry : ResolveAttachments(attachments)) {
    std::u16string target = directory + FileNameOf(entry.file_path);
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
      const std::u16string name =
          MakeUniqueFileName(directory, DottedExtensionOf(entry.file_path), BaseNameOf(entry.file_path));
      target = name.empty() ? std::u16string() : directory + name;
    }
    if (target.empty() || !CopyMediaFile(entry.file_path, FileProtocolPath(target), entry.rotation)) {
      saved.complete = false;
      continue;
    }
    saved.written.push_back(std::move(target));
  }
  return saved;
}

}  // namespace zozed::email
