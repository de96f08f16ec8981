#include "zozed/email/engine/compose_attachments.h"

#include "platform/oleauto.h"
#include "platform/support/com_error.h"
#include "platform/support/variant.h"
#include "zozed/email/engine/convert_photos.h"
#include "zozed/email/engine/gather_attachments.h"
#include "zozed/email/engine/list_operations.h"
#include "zozed/email/engine/preparation_failure.h"
#include "zozed/email/engine/preparation_limits.h"

namespace zozed::email {

AttachmentComposition ComposeAttachmentList(const VARIANT& received, const EmailShareOptions& options,
                                            bool client_can_embed, PreparationProgress* progress,
                                            IClientEnvironment& environment, HWND owner) {
  AttachmentComposition result;
  // The engine rewrites the list in place; the caller's stays as it was.
  platform::Variant list;
  platform::check(VariantCopy(list.put(), &received), IID_NULL);
  if (!GatherAttachmentFiles(*list.get())) {
    result.complete = false;
    ReportPreparationFailure(environment, owner);
  }
  WrapItems(*list.get());

  ItemList pictures;
  ItemList others;
  SplitByMediaType(ReadItemList(*list.get()), pictures, others);
  result.attachments = std::move(others);

  const PreparationLimits limits = LimitsFor(options);
  bool can_embed = false;
  if (limits.convert) {
    ItemList converted;
    const bool converted_all = ConvertPhotosForEmail(pictures, converted, progress, limits.max_width,
                                                     limits.max_height, limits.target_bytes);
    can_embed = !converted.empty();
    for (auto& item : converted) result.attachments.push_back(std::move(item));
    if (!converted_all) {
      result.complete = false;
      ReportPreparationFailure(environment, owner);
    }
  } else {
    can_embed = !pictures.empty() && HasMediaType0(pictures);
    for (auto& item : pictures) result.attachments.push_back(std::move(item));
  }
  result.items_can_embed = can_embed && client_can_embed;
  return result;
}

}  // namespace zozed::email
