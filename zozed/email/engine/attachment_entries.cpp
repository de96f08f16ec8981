#include "zozed/email/engine/attachment_entries.h"

#include "host/attachment_resolver.h"
#include "platform/objbase.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/support/safe_array.h"
#include "platform/support/variant.h"

namespace zozed::email {

using platform::Bstr;
using platform::check;
using platform::ComPtr;
using platform::SafeArray;

std::vector<AttachmentEntry> ResolveAttachments(const ItemList& items) {
  auto paths = SafeArray::create_vector(VT_BSTR, 0, static_cast<ULONG>(items.size()));
  auto orientations = SafeArray::create_vector(VT_I4, 0, static_cast<ULONG>(items.size()));
  if (!paths || !orientations) throw platform::ComError(E_OUTOFMEMORY, IID_IAttachmentResolver);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const auto item = MediaItemOf(items[i].get());
    check<IAttachmentResolver>(paths.put_element(static_cast<LONG>(i), PathOf(item)));
    check<IAttachmentResolver>(orientations.put_element(static_cast<LONG>(i), OrientationOf(item)));
  }

  ComPtr<IAttachmentResolver> resolver;
  check<IAttachmentResolver>(CoCreateInstance(host::CLSID_AttachmentResolver, nullptr, CLSCTX_SERVER,
                                              IID_IAttachmentResolver, resolver.put_void()));
  const platform::Variant path_list(std::move(paths));
  const platform::Variant orientation_list(std::move(orientations));
  check<IAttachmentResolver>(resolver->SetItems(*path_list.get(), *orientation_list.get()));

  std::vector<AttachmentEntry> entries;
  for (;;) {
    Bstr source;
    Bstr file;
    LONG rotation = 0;
    if (check<IAttachmentResolver>(resolver->Next(source.put(), file.put(), &rotation)) == S_FALSE) break;
    if (file.length() == 0) break;
    entries.push_back({std::u16string(source.view()), std::u16string(file.view()), rotation});
  }
  return entries;
}

}  // namespace zozed::email
