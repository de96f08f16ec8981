#include "zozed/email/engine/gather_attachments.h"

#include <map>
#include <string>

#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "zozed/email/engine/attachment_entries.h"
#include "zozed/email/engine/copy_media_file.h"
#include "zozed/email/engine/engine_paths.h"
#include "zozed/email/engine/item_list.h"
#include "zozed/email/engine/path_checks.h"
#include "zozed/email/engine/prepared_item.h"
#include "zozed/email/engine/unique_file_name.h"

namespace zozed::email {

using platform::Bstr;
using platform::check;
using platform::ComPtr;

namespace {

IUnknown* find_by_path(const ItemList& items, const std::u16string& path) {
  for (const auto& item : items)
    if (PathOf(MediaItemOf(item.get())) == path) return item.get();
  return nullptr;
}

// A prepared item for a file standing for `item`: its string property, and the selected item
// it came from (the item's own origin when it was prepared already).
ComPtr<IUnknown> wrap_file(const std::u16string& file, IUnknown* item, bool engine_made) {
  const ComPtr<IMediaItem> prepared = MakePreparedItem(file);
  const auto extra = ExtraOf(prepared.get());
  if (!engine_made) check<IMediaItemExtra>(extra->put_EngineMade(VARIANT_FALSE));
  if (item) {
    const auto media = MediaItemOf(item);
    Bstr property;
    check<IMediaItem>(media->GetStringProperty(property.put()));
    check<IMediaItem>(prepared->SetStringProperty(property.get()));
    IUnknown* origin = item;
    if (const auto item_extra = ExtraOf(item)) check<IMediaItemExtra>(item_extra->get_OriginItem(&origin));
    check<IMediaItemExtra>(extra->put_OriginItem(origin));
  }
  return prepared.As<IUnknown>();
}

bool same_text(const std::u16string& a, const std::u16string& b) {
  const Bstr left(a);
  const Bstr right(b);
  return VarBstrCmp(left.get(), right.get(), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
}

}  // namespace

bool GatherAttachmentFiles(VARIANT& list) {
  if (list.vt == VT_EMPTY) return true;
  const ItemList items = ReadItemList(list);
  bool result = true;
  ItemList gathered;
  std::map<std::u16string, std::u16string> recorded;
  const std::u16string temp = TemporaryFolder();

  for (const AttachmentEntry& entry : ResolveAttachments(items)) {
    IUnknown* item = find_by_path(items, entry.source_path);
    if (IsOffLocalDisk(entry.file_path)) {
      const std::u16string name =
          MakeUniqueFileName(temp, DottedExtensionOf(entry.file_path), BaseNameOf(entry.file_path));
      const std::u16string target = FileProtocolPath(temp + name);
      if (!CopyMediaFile(entry.file_path, target, entry.rotation)) {
        result = false;
        continue;
      }
      gathered.push_back(wrap_file(target, item, true));
      recorded.emplace(entry.source_path, PathOf(MediaItemOf(gathered.back().get())));
    } else if (same_text(entry.file_path, entry.source_path)) {
      if (item) gathered.push_back(ComPtr<IUnknown>::borrow(item));
      recorded.emplace(entry.source_path, entry.file_path);
    } else {
      gathered.push_back(wrap_file(entry.file_path, item, false));
      // The prepared item keeps the file in "file" form; it is found again under that form.
      recorded.emplace(entry.source_path, PathOf(MediaItemOf(gathered.back().get())));
    }
  }

  // Back into the order of the selection.
  ItemList ordered;
  for (const auto& item : items) {
    const auto found = recorded.find(PathOf(MediaItemOf(item.get())));
    if (found == recorded.end()) continue;
    for (const auto& candidate : gathered) {
      if (PathOf(MediaItemOf(candidate.get())) == found->second) {
        ordered.push_back(candidate.copy());
        break;
      }
    }
  }
  StoreItemList(list, ordered);
  return result;
}

}  // namespace zozed::email
