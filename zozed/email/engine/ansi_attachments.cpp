#include "zozed/email/engine/ansi_attachments.h"

#include <string>
#include <vector>

#include "host/message_service.h"
#include "platform/fileapi.h"
#include "platform/winbase.h"
#include "platform/objbase.h"
#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/winnls.h"
#include "zozed/email/engine/engine_paths.h"
#include "zozed/email/engine/host_message.h"
#include "zozed/email/engine/preparation_failure.h"
#include "zozed/email/engine/unique_file_name.h"

namespace zozed::email {

using platform::Bstr;
using platform::check;

namespace {

struct Unconvertible {
  LONG index;
  std::u16string path;
};

// The copy belongs to the item from now on, so that DeleteTempFile takes it away with it.
void register_copy(const ItemList& attachments, std::size_t position, const std::u16string& copy) {
  if (position >= attachments.size()) return;
  const auto extra = ExtraOf(attachments[position].get());
  if (!extra) return;
  const Bstr file(copy);
  check<IMediaItemExtra>(extra->SetTempFile(file.get()));
  check<IMediaItemExtra>(extra->put_DeleteAllowed(VARIANT_TRUE));
}

}  // namespace

bool ConvertsToAnsi(std::u16string_view text) {
  if (text.empty()) return true;
  const int length = static_cast<int>(text.size());
  BOOL used_default = FALSE;
  const int size =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, "?", &used_default);
  if (size <= 0) return false;
  std::string converted(static_cast<std::size_t>(size), '\0');
  used_default = FALSE;
  if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, converted.data(), size, "?",
                          &used_default) <= 0)
    return false;
  return used_default == FALSE;
}

bool PrepareAnsiAttachments(VARIANT& paths, const ItemList& attachments, IClientEnvironment& environment,
                            HWND owner) {
  if (paths.vt != (VT_ARRAY | VT_BSTR) || !paths.parray) throw platform::ComError(DISP_E_TYPEMISMATCH, IID_NULL);
  LONG lower = 0;
  LONG upper = -1;
  check(SafeArrayGetLBound(paths.parray, 1, &lower), IID_NULL);
  check(SafeArrayGetUBound(paths.parray, 1, &upper), IID_NULL);

  std::vector<Unconvertible> unconvertible;
  for (LONG i = lower; i <= upper; ++i) {
    Bstr path;
    check(SafeArrayGetElement(paths.parray, &i, path.put()), IID_NULL);
    if (!ConvertsToAnsi(path.view())) unconvertible.push_back({i, std::u16string(path.view())});
  }
  if (unconvertible.empty()) return true;

  const std::u16string temp = TemporaryFolder();
  if (temp.empty() || !ConvertsToAnsi(temp)) {
    (void)ShowHostMessage(environment, owner, kAnsiImpossible, kAnsiImpossibleDetail, host::kButtonsOk);
    return false;
  }
  if (ShowHostMessage(environment, owner, kAnsiCopyQuestion, kAnsiCopyQuestionDetail, host::kButtonsOkCancel) ==
      host::kAnswerCancel)
    return false;

  Bstr base_name;
  check<IClientEnvironment>(environment.GetHostString(kAnsiCopyBaseName, base_name.put()));
  bool copied_all = true;
  for (const Unconvertible& entry : unconvertible) {
    const std::u16string name = MakeUniqueFileName(temp, DottedExtensionOf(entry.path), base_name.view());
    const std::u16string source = PlainPath(entry.path);
    const std::u16string copy = temp + name;
    if (name.empty() || !CopyFileW(source.c_str(), copy.c_str(), FALSE)) {
      copied_all = false;
      continue;
    }
    const Bstr replacement(copy);
    LONG index = entry.index;
    check(SafeArrayPutElement(paths.parray, &index, replacement.get()), IID_NULL);
    register_copy(attachments, static_cast<std::size_t>(entry.index - lower), copy);
  }
  if (!copied_all) ReportPreparationFailure(environment, owner);
  return copied_all;
}

}  // namespace zozed::email
