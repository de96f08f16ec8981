#include "zozed/email/engine/dated_folder.h"

#include <vector>

#include "platform/errhandlingapi.h"
#include "platform/fileapi.h"
#include "platform/wide_crt.h"
#include "platform/winerror.h"
#include "platform/winnls.h"

namespace zozed::email {
namespace {

constexpr int kLocaleAnswerCapacity = 80;

bool is_separator(char16_t c) { return c == u'\\' || c == u'/'; }

std::optional<std::u16string> long_date_order() {
  WCHAR buffer[kLocaleAnswerCapacity] = {};
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ILDATE, buffer, kLocaleAnswerCapacity);
  if (length <= 0) return std::nullopt;
  return std::u16string(buffer, static_cast<std::size_t>(length - 1));
}

std::optional<std::u16string> formatted_date(const SYSTEMTIME& date, std::u16string_view picture) {
  const std::u16string format(picture);
  const int length = GetDateFormatW(LOCALE_USER_DEFAULT, 0, &date, format.c_str(), nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::vector<WCHAR> buffer(static_cast<std::size_t>(length), u'\0');
  const int written = GetDateFormatW(LOCALE_USER_DEFAULT, 0, &date, format.c_str(), buffer.data(), length);
  if (written <= 0) return std::nullopt;
  return std::u16string(buffer.data(), static_cast<std::size_t>(written - 1));
}

}  // namespace

std::u16string_view DatePictureFor(std::optional<std::u16string_view> long_date_order) {
  static constexpr std::u16string_view kMonthFirst = u"MMM'-'dd'-'yyyy";
  static constexpr std::u16string_view kDayFirst = u"dd'-'MMM'-'yyyy";
  static constexpr std::u16string_view kYearFirst = u"yyyy'-'MMM'-'dd";
  if (!long_date_order) return kDayFirst;
  // Read the way the CRT reads a number: text that is no number counts as 0.
  const std::u16string text(*long_date_order);
  switch (_wtoi(text.c_str())) {
    case 0: return kMonthFirst;
    case 2: return kYearFirst;
    default: return kDayFirst;
  }
}

bool CreateDirectoryPath(std::u16string_view path) {
  // A share's server name is no directory of its own and answers "invalid name".
  const bool unc = path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\';
  const auto make = [unc](std::u16string_view prefix) {
    const std::u16string directory(prefix);
    if (CreateDirectoryW(directory.c_str(), nullptr)) return true;
    const DWORD error = GetLastError();
    return error == static_cast<DWORD>(ERROR_ACCESS_DENIED) || error == static_cast<DWORD>(ERROR_ALREADY_EXISTS) ||
           (unc && error == static_cast<DWORD>(ERROR_INVALID_NAME));
  };
  std::size_t start = 0;
  while (start < path.size() && is_separator(path[start])) ++start;
  if (start == path.size()) return false;
  for (std::size_t i = start + 1; i < path.size(); ++i)
    if (is_separator(path[i]) && !make(path.substr(0, i))) return false;
  return is_separator(path.back()) || make(path);
}

std::optional<std::u16string> MakeDatedFolder(std::u16string_view save_location, const SYSTEMTIME& date) {
  if (save_location.size() < 2) return std::nullopt;
  std::u16string folder(save_location);
  if (!is_separator(folder.back())) folder += u'\\';
  const auto order = long_date_order();
  const auto text = formatted_date(date, DatePictureFor(order ? std::optional<std::u16string_view>(*order)
                                                             : std::nullopt));
  if (!text) return std::nullopt;
  folder += *text;
  // The capacity counts the terminator, as the fixed buffer it stands for did.
  if (folder.size() >= kDatedFolderCapacity) return std::nullopt;
  if (!CreateDirectoryPath(folder)) return std::nullopt;
  return folder;
}

}  // namespace zozed::email
