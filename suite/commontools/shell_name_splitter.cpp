#include "host/commontools/shell_name_splitter.h"

namespace {

constexpr std::u16string_view kProtocolSeparator = u"::";
constexpr std::u16string_view kDriveSeparator = u":";
constexpr std::u16string_view kFolderSeparators = u"\\/";

bool is_folder_separator(WCHAR c) { return c == u'\\' || c == u'/'; }

bool starts_with_drive(std::u16string_view text) {
  return text.size() >= 2 && ((text[0] >= u'A' && text[0] <= u'Z') || (text[0] >= u'a' && text[0] <= u'z')) &&
         text[1] == u':';
}

// "C:" or "\\server\share" at the start of a location; empty for anything else.
std::u16string_view device_of(std::u16string_view location) {
  if (starts_with_drive(location)) return location.substr(0, 2);
  if (location.size() < 2 || !is_folder_separator(location[0]) || !is_folder_separator(location[1])) return {};
  const auto server_end = location.find_first_of(kFolderSeparators, 2);
  if (server_end == std::u16string_view::npos) return location;
  auto device = location.substr(0, location.find_first_of(kFolderSeparators, server_end + 1));
  if (device.size() == server_end + 1) device.remove_suffix(1);  // "\\server\" names no share
  return device;
}

// Where the "::" after a protocol starts, or npos. A "::" after the first folder separator
// belongs to a name, not to a protocol.
std::size_t protocol_length(std::u16string_view path) {
  const auto at = path.find(kProtocolSeparator);
  if (at == 0 || at == std::u16string_view::npos) return std::u16string_view::npos;
  if (path.substr(0, at).find_first_of(kFolderSeparators) != std::u16string_view::npos) return std::u16string_view::npos;
  return at;
}

std::u16string_view separator_for(bool has_protocol, std::u16string_view device) {
  if (has_protocol) return kProtocolSeparator;
  return starts_with_drive(device) ? kDriveSeparator : std::u16string_view{};
}

}  // namespace

CZEBShellNameSplitter::CZEBShellNameSplitter(const WCHAR* path, DWORD flags) { Split(path, flags); }

CZEBShellNameSplitter::CZEBShellNameSplitter(std::u16string_view path, DWORD flags) { Split(path, flags); }

void CZEBShellNameSplitter::Split(const WCHAR* path, DWORD flags) {
  Split(path ? std::u16string_view(path) : std::u16string_view{}, flags);
}

void CZEBShellNameSplitter::Split(std::u16string_view path, DWORD flags) {
  std::u16string_view protocol;
  std::u16string_view rest = path;
  if (const auto length = protocol_length(path); length != std::u16string_view::npos) {
    protocol = path.substr(0, length);
    rest = path.substr(length + kProtocolSeparator.size());
  }

  const auto device = device_of(rest);
  const auto last_separator = rest.find_last_of(kFolderSeparators);
  auto file_start = last_separator == std::u16string_view::npos ? 0 : last_separator + 1;
  // A bare device ("C:name", "\\server\share") is all location.
  if (file_start < device.size()) file_start = device.size();
  const auto file = rest.substr(file_start);

  std::u16string_view name = file;
  std::u16string_view extension;
  // ".", ".." and the like are names, not extensions.
  if (file.find_first_not_of(u'.') != std::u16string_view::npos) {
    if (const auto dot = file.rfind(u'.'); dot != std::u16string_view::npos) {
      name = file.substr(0, dot);
      extension = file.substr(dot + 1);
    }
  }

  const bool keep_protocol = (flags & ZEB_SPLIT_PROTOCOL) != 0;
  const bool keep_location = (flags & ZEB_SPLIT_LOCATION) != 0;
  protocol_ = keep_protocol ? protocol : std::u16string_view{};
  separator_ = (flags & ZEB_SPLIT_SEPARATOR) ? separator_for(keep_protocol && !protocol.empty(), device)
                                             : std::u16string_view{};
  device_ = keep_location ? device : std::u16string_view{};
  location_ = keep_location ? rest.substr(0, file_start) : std::u16string_view{};
  name_ = (flags & ZEB_SPLIT_FILENAME) ? name : std::u16string_view{};
  extension_ = (flags & ZEB_SPLIT_EXTENSION) ? extension : std::u16string_view{};
}

std::u16string CZEBShellNameSplitter::Compose(DWORD flags) const {
  std::u16string result;
  const bool with_location = (flags & ZEB_SPLIT_LOCATION) != 0 && !location_.empty();
  if (flags & ZEB_SPLIT_PROTOCOL) result += protocol_;
  // The drive's colon is already in the location.
  if ((flags & ZEB_SPLIT_SEPARATOR) && !(separator_ == kDriveSeparator && with_location)) result += separator_;
  if (with_location) result += location_;
  if (flags & ZEB_SPLIT_FILENAME) result += name_;
  if ((flags & ZEB_SPLIT_EXTENSION) && !extension_.empty()) {
    if (flags & ZEB_SPLIT_FILENAME) result += u'.';
    result += extension_;
  }
  return result;
}

void CZEBShellNameSplitter::SetProtocol(std::u16string_view protocol) {
  while (!protocol.empty() && protocol.back() == u':') protocol.remove_suffix(1);
  protocol_ = protocol;
  update_separator();
}

void CZEBShellNameSplitter::SetPath(std::u16string_view location) {
  location_ = location;
  if (!location_.empty() && !is_folder_separator(location_.back())) location_ += u'\\';
  device_ = device_of(location_);
  update_separator();
}

void CZEBShellNameSplitter::SetFileName(std::u16string_view name) { name_ = name; }

void CZEBShellNameSplitter::SetExtension(std::u16string_view extension) {
  if (!extension.empty() && extension.front() == u'.') extension.remove_prefix(1);
  extension_ = extension;
}

void CZEBShellNameSplitter::update_separator() { separator_ = separator_for(!protocol_.empty(), device_); }
