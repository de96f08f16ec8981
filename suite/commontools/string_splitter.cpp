#include "host/commontools/string_splitter.h"

bool ZEBStringSplitter::split(const WCHAR* text, WCHAR separator) {
  if (!text) return false;
  return split(std::u16string_view(text), separator);
}

bool ZEBStringSplitter::split(std::u16string_view text, WCHAR separator) {
  if (separator == u'\0') return false;
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find(separator, start);
    if (end == std::u16string_view::npos) {
      parts.emplace_back(text.substr(start));
      break;
    }
    parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  parts_ = std::move(parts);
  return true;
}

const WCHAR* ZEBStringSplitter::pelement(int index) const noexcept {
  if (index < 0 || index >= size()) return nullptr;
  return parts_[static_cast<std::size_t>(index)].c_str();
}
