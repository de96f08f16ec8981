#include "suite/controls/text_metrics.h"

#include <algorithm>

#include "platform/ui_driver.h"

namespace suite::controls {
namespace {

std::vector<std::u16string_view> explicit_lines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(u'\n', start);
    std::u16string_view line = text.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::u16string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

void wrap_line(std::u16string_view line, std::size_t per_line, std::vector<std::u16string>& out) {
  std::u16string current;
  std::size_t pos = 0;
  bool any = false;
  while (pos < line.size()) {
    const std::size_t space = line.find(u' ', pos);
    std::u16string_view word = line.substr(pos, space == std::u16string_view::npos ? std::u16string_view::npos : space - pos);
    pos = space == std::u16string_view::npos ? line.size() : space + 1;
    if (word.empty()) continue;
    if (!current.empty() && current.size() + 1 + word.size() <= per_line) {
      current += u' ';
      current += word;
      continue;
    }
    if (!current.empty()) {
      out.push_back(std::move(current));
      current.clear();
      any = true;
    }
    while (word.size() > per_line) {
      out.emplace_back(word.substr(0, per_line));
      any = true;
      word.remove_prefix(per_line);
    }
    current.assign(word);
  }
  if (!current.empty() || !any) out.push_back(std::move(current));
}

}  // namespace

std::vector<std::u16string> wrap_text(std::u16string_view text, LONG width, const TextBox& box) {
  const LONG content = width - box.left_inset - 2 * box.padding;
  const auto per_line = static_cast<std::size_t>(std::max<LONG>(1, content / platform::ui::char_width));
  std::vector<std::u16string> lines;
  for (const auto line : explicit_lines(text)) wrap_line(line, per_line, lines);
  return lines;
}

LONG ideal_height(std::u16string_view text, LONG width, const TextBox& box) {
  const auto lines = static_cast<LONG>(wrap_text(text, width, box).size());
  return std::max(box.minimum_height, lines * platform::ui::line_height + 2 * box.padding);
}

LONG natural_width(std::u16string_view text, const TextBox& box) {
  std::size_t longest = 0;
  for (const auto line : explicit_lines(text)) longest = std::max(longest, line.size());
  return box.left_inset + 2 * box.padding + static_cast<LONG>(longest) * platform::ui::char_width;
}

}  // namespace suite::controls
