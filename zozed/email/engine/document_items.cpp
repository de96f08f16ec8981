#include "zozed/email/engine/document_items.h"

#include <string>

#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
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

constexpr char16_t kSuiteDocumentExtension[] = u".dmsp";

bool is_suite_document(const std::u16string& path) {
  const std::u16string extension = ExtensionOf(path);
  if (extension.size() != 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    char16_t c = extension[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != kSuiteDocumentExtension[i + 1]) return false;
  }
  return true;
}

}  // namespace

bool PrepareDocumentItems(VARIANT& list) {
  const ItemList items = ReadItemList(list);
  bool result = true;
  ItemList prepared;
  const std::u16string temp = TemporaryFolder();
  for (const auto& item : items) {
    ComPtr<IOpenDocument> document;
    check<IMediaItem>(MediaItemOf(item.get())->GetDocument(document.put()));
    if (!document) {
      prepared.push_back(item.copy());
      continue;
    }
    Bstr document_path;
    check<IOpenDocument>(document->GetPath(document_path.put()));
    VARIANT_BOOL modified = VARIANT_FALSE;
    check<IOpenDocument>(document->GetModified(&modified));
    const std::u16string path(document_path.view());
    if (!path.empty() && modified == VARIANT_FALSE && !is_suite_document(path) && !IsOffLocalDisk(path)) {
      prepared.push_back(item.copy());
      continue;
    }

    const std::u16string extension = path.empty() ? std::u16string(kSuiteDocumentExtension) : DottedExtensionOf(path);
    const std::u16string base = path.empty() ? std::u16string() : BaseNameOf(path);
    const Bstr target(FileProtocolPath(temp + MakeUniqueFileName(temp, extension, base)));
    if (FAILED(document->SaveTo(target.get()))) {
      result = false;
      continue;
    }
    const ComPtr<IMediaItem> copy = MakePreparedItem(target.view());
    check<IMediaItemExtra>(ExtraOf(copy.get())->put_OriginItem(item.get()));
    prepared.push_back(copy.As<IUnknown>());
  }
  StoreItemList(list, prepared);
  return result;
}

}  // namespace zozed::email
