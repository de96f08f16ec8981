#include "zozed/email/engine/slide_show_files.h"

#include <functional>
#include <map>
#include <string>

#include "host/attachment_resolver.h"
#include "platform/fileapi.h"
#include "platform/objbase.h"
#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "zozed/email/engine/attachment_entries.h"
#include "zozed/email/engine/copy_media_file.h"
#include "zozed/email/engine/engine_paths.h"
#include "zozed/email/engine/item_list.h"
#include "zozed/email/engine/media_access.h"
#include "zozed/email/engine/path_checks.h"
#include "zozed/email/engine/unique_file_name.h"
#include "zozed/video/content_protection.h"

namespace zozed::email {

using platform::Bstr;
using platform::check;
using platform::ComPtr;

namespace {

using FileTest = std::function<bool(const std::u16string& path)>;

std::u16string temp_file_of(const ComPtr<IMediaItemExtra>& extra) {
  Bstr file;
  check<IMediaItemExtra>(extra->GetTempFile(file.put()));
  return std::u16string(file.view());
}

// The extra item comes as the object itself or as a list holding it.
ItemList extra_items(const VARIANT& extra) {
  if ((extra.vt == VT_UNKNOWN || extra.vt == VT_DISPATCH) && extra.punkVal) {
    ItemList single;
    single.push_back(ComPtr<IUnknown>::borrow(extra.punkVal));
    return single;
  }
  return ReadItemList(extra);
}

// The shape both list checks share: the extra item, the list items the test may drop (those
// `droppable` accepts by media type), and each kept item's registered temporary file.
bool filter_list(VARIANT& list, VARIANT* extra_item, const FileTest& refuses, bool (*droppable)(LONG type)) {
  bool result = true;
  if (extra_item && extra_item->vt != VT_EMPTY) {
    const ItemList extra = extra_items(*extra_item);
    bool refused = false;
    for (const auto& item : extra) refused = refused || refuses(PathOf(MediaItemOf(item.get())));
    if (refused) {
      check(VariantClear(extra_item), IID_NULL);
      result = false;
    }
  }
  if (list.vt == VT_EMPTY) return result;
  const ItemList items = ReadItemList(list);
  ItemList kept;
  const auto services = CreateMediaServices();
  for (const auto& item : items) {
    const std::u16string path = PathOf(MediaItemOf(item.get()));
    if (droppable(MediaTypeOf(services, path)) && refuses(path)) {
      result = false;
      continue;
    }
    if (const auto extra = ExtraOf(item.get())) {
      const std::u16string temp = temp_file_of(extra);
      if (!temp.empty() && refuses(temp)) {
        (void)extra->DeleteTempFile();
        result = false;
      }
    }
    kept.push_back(item.copy());
  }
  StoreItemList(list, kept);
  return result;
}

}  // namespace

bool LocalizeSlideShowFiles(const VARIANT& list) {
  const ItemList items = ReadItemList(list);
  if (items.empty()) return true;
  std::map<std::u16string, IUnknown*> by_path;
  for (const auto& item : items) by_path.emplace(PathOf(MediaItemOf(item.get())), item.get());

  bool result = true;
  const std::u16string temp = TemporaryFolder();
  for (const AttachmentEntry& entry : ResolveAttachments(items)) {
    const auto found = by_path.find(entry.source_path);
    const auto extra = found == by_path.end() ? nullptr : ExtraOf(found->second);
    if (IsOffLocalDisk(entry.file_path)) {
      std::u16string name = FileNameOf(entry.file_path);
      if (GetFileAttributesW((temp + name).c_str()) != INVALID_FILE_ATTRIBUTES)
        name = MakeUniqueFileName(temp, DottedExtensionOf(entry.file_path), u"");
      const std::u16string target = FileProtocolPath(temp + name);
      if (!CopyMediaFile(entry.file_path, target, entry.rotation)) {
        result = false;
        continue;
      }
      if (extra) check<IMediaItemExtra>(extra->SetTempFile(Bstr(target).get()));
    } else if (extra) {
      // Used in place: the slide show must never delete the user's own file.
      check<IMediaItemExtra>(extra->put_DeleteAllowed(VARIANT_FALSE));
      check<IMediaItemExtra>(extra->SetTempFile(Bstr(entry.file_path).get()));
    }
  }
  return result;
}

bool DropProtectedMedia(VARIANT& list, VARIANT* extra_item) {
  return filter_list(
      list, extra_item, [](const std::u16string& path) { return video::IsContentProtected(PlainPath(path)); },
      [](LONG type) { return type == 2 || type == 3; });
}

bool CheckSlideShowList(VARIANT& list, VARIANT* extra_item) {
  ComPtr<ISlideShowCheck> checker;
  check<ISlideShowCheck>(CoCreateInstance(host::CLSID_SlideShowCheck, nullptr, CLSCTX_SERVER, IID_ISlideShowCheck,
                                          checker.put_void()));
  return filter_list(
      list, extra_item,
      [&](const std::u16string& path) {
        check<ISlideShowCheck>(checker->SetFile(Bstr(path).get()));
        LONG verdict = 0;
        check<ISlideShowCheck>(checker->GetVerdict(&verdict));
        return verdict != 0;
      },
      [](LONG) { return true; });
}

}  // namespace zozed::email
