// GetDateFormat's picture notation: elements d, M, y, g in runs, quoted literals, other text as is.
#pragma once

#include <string>
#include <string_view>

#include "platform/locale_profile.h"
#include "platform/minwinbase.h"

namespace platform::locale {

struct PictureElement {
  char16_t letter = 0;   // 'd', 'M', 'y', 'g', or 0 for literal text
  std::size_t count = 0;  // length of the run of letters
  std::u16string literal;
};

// Calls visit(const PictureElement&) for each element in order. An unclosed quote runs to the end;
// two quotes in a row stand for one quote, inside or outside a quoted literal.
template <class Visit>
void for_each_picture_element(std::u16string_view picture, Visit&& visit) {
  std::size_t i = 0;
  PictureElement literal;
  auto flush = [&] {
    if (!literal.literal.empty()) visit(literal);
    literal.literal.clear();
  };
  while (i < picture.size()) {
    const char16_t c = picture[i];
    if (c == u'\'') {
      ++i;
      if (i < picture.size() && picture[i] == u'\'') {
        literal.literal += u'\'';
        ++i;
        continue;
      }
      while (i < picture.size()) {
        if (picture[i] == u'\'') {
          if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
            literal.literal += u'\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        literal.literal += picture[i++];
      }
    } else if (c == u'd' || c == u'M' || c == u'y' || c == u'g') {
      std::size_t run = 1;
      while (i + run < picture.size() && picture[i + run] == c) ++run;
      flush();
      PictureElement element;
      element.letter = c;
      element.count = run;
      visit(element);
      i += run;
    } else {
      literal.literal += c;
      ++i;
    }
  }
  flush();
}

// `date` must be a valid date; its wDayOfWeek is not used.
std::u16string format_date(const LocaleProfile& profile, const SYSTEMTIME& date, std::u16string_view picture);

}  // namespace platform::locale
