// The host's dialog template numbers for the module's panes and dialogs (resource type 5, with
// their init data as type 240).
#pragma once

#include "platform/windef.h"

namespace host {
inline constexpr LONG kTemplateShareByEmail = 175;
inline constexpr LONG kTemplateFolderSaved = 177;
inline constexpr LONG kTemplateSaveFormatWarning = 213;
inline constexpr LONG kTemplateArchiveCollision = 237;
inline constexpr LONG kTemplateEmailEntry = 253;
inline constexpr LONG kTemplateEmailOptionsPane = 255;
inline constexpr LONG kTemplateEmailDone = 257;
inline constexpr LONG kTemplateEmailOptionsPage = 264;
inline constexpr LONG kTemplateAttachmentSizeWarning = 269;
inline constexpr LONG kTemplateExport = 10169;
// Panes whose numbers are the suite's own choice.
inline constexpr LONG kTemplateSaveAs = 10165;
inline constexpr LONG kTemplateArchive = 10166;
inline constexpr LONG kTemplateSlideShowOptions = 259;
}  // namespace host
