// A locale profile read from an installed POSIX locale through nl_langinfo_l.
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/locale_profile.h"
#include "platform/winnls.h"

namespace platform {

namespace {

class PosixLocale {
 public:
  explicit PosixLocale(const char* name) : handle_(newlocale(LC_ALL_MASK, name, static_cast<locale_t>(nullptr))) {}
  ~PosixLocale() {
    if (handle_) freelocale(handle_);
  }
  PosixLocale(const PosixLocale&) = delete;
  PosixLocale& operator=(const PosixLocale&) = delete;

  explicit operator bool() const { return handle_ != nullptr; }
  const char* item(nl_item what) const {
    const char* value = nl_langinfo_l(what, handle_);
    return value ? value : "";
  }

 private:
  locale_t handle_;
};

class Decoder {
 public:
  explicit Decoder(const char* codeset)
      : utf8_(!std::strcmp(codeset, "UTF-8") || !std::strcmp(codeset, "utf8")),
        cd_(utf8_ ? reinterpret_cast<iconv_t>(-1) : iconv_open("UTF-8", codeset)) {}
  ~Decoder() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  std::u16string operator()(const char* text) const {
    if (utf8_ || cd_ == reinterpret_cast<iconv_t>(-1)) return from_utf8(text);
    std::string out;
    char* in = const_cast<char*>(text);
    std::size_t in_left = std::strlen(text);
    char chunk[256];
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (in_left) {
      char* dst = chunk;
      std::size_t dst_left = sizeof chunk;
      const std::size_t done = iconv(cd_, &in, &in_left, &dst, &dst_left);
      out.append(chunk, static_cast<std::size_t>(dst - chunk));
      if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
        out += "\xEF\xBF\xBD";  // the byte does not decode: U+FFFD, as the code-page functions do
        ++in;
        --in_left;
      }
    }
    return from_utf8(out);
  }

 private:
  bool utf8_;
  iconv_t cd_;
};

struct LcidName {
  const char* name;
  LCID lcid;
};

// The Windows LCIDs of the common language_TERRITORY pairs.
constexpr LcidName kLcids[] = {
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409},
    {"en_IE", 0x1809}, {"de_DE", 0x0407}, {"de_AT", 0x0C07}, {"de_CH", 0x0807}, {"fr_FR", 0x040C},
    {"fr_CA", 0x0C0C}, {"fr_BE", 0x080C}, {"fr_CH", 0x100C}, {"it_IT", 0x0410}, {"es_ES", 0x0C0A},
    {"es_MX", 0x080A}, {"nl_NL", 0x0413}, {"nl_BE", 0x0813}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816},
    {"sv_SE", 0x041D}, {"da_DK", 0x0406}, {"nb_NO", 0x0414}, {"fi_FI", 0x040B}, {"pl_PL", 0x0415},
    {"cs_CZ", 0x0405}, {"hu_HU", 0x040E}, {"ru_RU", 0x0419}, {"tr_TR", 0x041F}, {"el_GR", 0x0408},
    {"ja_JP", 0x0411}, {"ko_KR", 0x0412}, {"zh_CN", 0x0804}, {"zh_TW", 0x0404},
};

// "de_DE.UTF-8@euro" -> "de_DE".
std::string language_territory(const char* name) {
  std::string s(name);
  return s.substr(0, s.find_first_of(".@"));
}

LCID lcid_of(const std::string& language_territory) {
  for (const auto& entry : kLcids)
    if (language_territory == entry.name) return entry.lcid;
  return LOCALE_CUSTOM_UNSPECIFIED;
}

void append_literal(std::u16string& picture, const std::u16string& text) {
  bool needs_quotes = false;
  for (char16_t c : text) needs_quotes |= (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'\'';
  if (!needs_quotes) {
    picture += text;
    return;
  }
  picture += u'\'';
  for (char16_t c : text) {
    if (c == u'\'') picture += u'\'';
    picture += c;
  }
  picture += u'\'';
}

// A strftime date format ("%d.%m.%Y") as a picture ("dd.MM.yyyy"); conversions with no picture
// element (time, week numbers) are left out.
std::u16string picture_of_strftime(const std::u16string& format) {
  std::u16string picture, literal;
  auto element = [&](std::u16string_view e) {
    append_literal(picture, literal);
    literal.clear();
    picture += e;
  };
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != u'%' || i + 1 == format.size()) {
      literal += format[i];
      continue;
    }
    char16_t c = format[++i];
    while ((c == u'E' || c == u'O' || c == u'-' || c == u'_' || c == u'0' || c == u'^' || c == u'#') &&
           i + 1 < format.size())
      c = format[++i];
    switch (c) {
      case u'd': element(u"dd"); break;
      case u'e': element(u"d"); break;
      case u'm': element(u"MM"); break;
      case u'b':
      case u'h': element(u"MMM"); break;
      case u'B': element(u"MMMM"); break;
      case u'a': element(u"ddd"); break;
      case u'A': element(u"dddd"); break;
      case u'y': element(u"yy"); break;
      case u'Y': element(u"yyyy"); break;
      case u'D': element(u"MM/dd/yy"); break;
      case u'F': element(u"yyyy-MM-dd"); break;
      case u'%': literal += u'%'; break;
      case u'n': literal += u'\n'; break;
      case u't': literal += u'\t'; break;
      default: break;
    }
  }
  append_literal(picture, literal);
  return picture;
}

// Some locales pad names to align them in columns (" 3月").
std::u16string trimmed(std::u16string name) {
  const auto first = name.find_first_not_of(u' ');
  if (first == std::u16string::npos) return {};
  return name.substr(first, name.find_last_not_of(u' ') - first + 1);
}

std::u16string long_date_for(LocaleProfile::DateOrder order) {
  switch (order) {
    case LocaleProfile::DayMonthYear: return u"dddd, d MMMM yyyy";
    case LocaleProfile::YearMonthDay: return u"yyyy MMMM d";
    default: return u"dddd, MMMM d, yyyy";
  }
}

}  // namespace

LocaleProfile LocaleProfile::from_posix_locale(const char* name) {
  if (!name) throw LocaleProfileError("POSIX locale: no name given");
  const PosixLocale posix(name);
  if (!posix) throw LocaleProfileError(std::string("POSIX locale \"") + name + "\" is not installed");
  const Decoder decode(posix.item(CODESET));

  const std::string lang_terr = language_territory(name);
  const bool no_country = lang_terr == "C" || lang_terr == "POSIX" || lang_terr.empty();
  LocaleProfile p = no_country ? en_us() : LocaleProfile{};

  static constexpr nl_item kMonths[] = {MON_1, MON_2, MON_3, MON_4, MON_5, MON_6,
                                        MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
  static constexpr nl_item kAbMonths[] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                          ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
  static constexpr nl_item kDays[] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
  static constexpr nl_item kAbDays[] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
  for (int m = 0; m < 12; ++m) {
    p.month_names[m] = trimmed(decode(posix.item(kMonths[m])));
    p.abbreviated_month_names[m] = trimmed(decode(posix.item(kAbMonths[m])));
  }
  p.month_names[12].clear();
  p.abbreviated_month_names[12].clear();
  for (int d = 0; d < 7; ++d) {
    // POSIX counts from Sunday, Windows from Monday.
    p.day_names[(d + 6) % 7] = trimmed(decode(posix.item(kDays[d])));
    p.abbreviated_day_names[(d + 6) % 7] = trimmed(decode(posix.item(kAbDays[d])));
  }
  if (no_country) return p;

  p.lcid = lcid_of(lang_terr);
  p.short_date = picture_of_strftime(decode(posix.item(D_FMT)));
  p.short_date_order = order_of_picture(p.short_date).value_or(MonthDayYear);
  p.long_date_order = p.short_date_order;
  p.long_date = long_date_for(p.long_date_order);
  p.year_month = p.long_date_order == YearMonthDay ? u"yyyy MMMM" : u"MMMM yyyy";
#ifdef __GLIBC__
  // glibc: 1 metric, 2 U.S.
  p.measure = posix.item(_NL_MEASUREMENT_MEASUREMENT)[0] == 2 ? UnitedStates : Metric;
#else
  p.measure = lang_terr == "en_US" ? UnitedStates : Metric;
#endif
  p.decimal_separator = decode(posix.item(RADIXCHAR));
  if (p.decimal_separator.empty()) p.decimal_separator = u".";
  p.thousand_separator = decode(posix.item(THOUSEP));
  p.list_separator = p.decimal_separator == u"," ? u";" : u",";
  if (auto known = built_in(p.lcid)) {
    // Windows' names for the locale ("English", not the C library's "American English").
    p.english_language = known->english_language;
    p.english_country = known->english_country;
    p.native_language = known->native_language;
    p.native_country = known->native_country;
    p.era = known->era;
    return p;
  }
#ifdef __GLIBC__
  p.english_language = decode(posix.item(_NL_IDENTIFICATION_LANGUAGE));
  p.english_country = decode(posix.item(_NL_IDENTIFICATION_TERRITORY));
  p.native_language = decode(posix.item(_NL_ADDRESS_LANG_NAME));
  p.native_country = decode(posix.item(_NL_ADDRESS_COUNTRY_NAME));
#endif
  return p;
}

LocaleProfile LocaleProfile::from_environment() {
  const char* name = nullptr;
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) {
      name = value;
      break;
    }
  }
  if (!name) return en_us();
  try {
    return from_posix_locale(name);
  } catch (const LocaleProfileError&) {
    // As the C library does with an uninstalled locale: carry on in the "C" locale.
    return en_us();
  }
}

}  // namespace platform
