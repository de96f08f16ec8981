// A locale profile described in JSON: a base locale and overrides.
#include <nlohmann/json.hpp>

#include <string>

#include "platform/locale_profile.h"
#include "platform/winnls.h"

namespace platform {

namespace {

using nlohmann::json;

[[noreturn]] void fail(const std::string& field, const std::string& what, const json& value) {
  throw LocaleProfileError("locale \"" + field + "\": " + what + ", got " + value.dump());
}

LocaleProfile base_of(const json& object) {
  const auto it = object.find("base");
  if (it == object.end()) return LocaleProfile::from_environment();
  if (!it->is_string() || it->get_ref<const std::string&>().empty())
    fail("base", "expected a locale name such as \"en-US\" or \"de_DE.UTF-8\"", *it);
  const std::string& name = it->get_ref<const std::string&>();
  if (auto known = LocaleProfile::built_in(name)) return std::move(*known);
  try {
    return LocaleProfile::from_posix_locale(name.c_str());
  } catch (const LocaleProfileError&) {
    fail("base", "not a built-in profile nor an installed POSIX locale", *it);
  }
}

LocaleProfile::DateOrder date_order_of(const json& value) {
  if (value.is_number_unsigned() && value.get<unsigned>() <= 2)
    return static_cast<LocaleProfile::DateOrder>(value.get<unsigned>());
  if (value == "month-day-year") return LocaleProfile::MonthDayYear;
  if (value == "day-month-year") return LocaleProfile::DayMonthYear;
  if (value == "year-month-day") return LocaleProfile::YearMonthDay;
  fail("date_order", "expected 0, 1, 2, \"month-day-year\", \"day-month-year\" or \"year-month-day\"", value);
}

LocaleProfile::Measure measure_of(const json& value) {
  if (value == 0 || value == "metric") return LocaleProfile::Metric;
  if (value == 1 || value == "us") return LocaleProfile::UnitedStates;
  fail("measure", "expected 0, 1, \"metric\" or \"us\"", value);
}

void read_names(const char* field, const json& value, std::array<std::u16string, 13>& names) {
  const bool shaped = value.is_array() && (value.size() == 12 || (value.size() == 13 && value[12] == ""));
  if (!shaped) fail(field, "expected an array of 12 month names", value);
  for (std::size_t m = 0; m < 12; ++m) {
    if (!value[m].is_string() || value[m].get_ref<const std::string&>().empty())
      fail(field, "expected a non-empty text for month " + std::to_string(m + 1), value[m]);
    names[m] = from_utf8(value[m].get_ref<const std::string&>());
  }
  names[12].clear();
}

// A picture and the order it implies.
std::u16string picture_of(const char* field, const json& value, LocaleProfile::DateOrder& order) {
  if (!value.is_string()) fail(field, "expected a date picture such as \"dd/MM/yyyy\"", value);
  std::u16string picture = from_utf8(value.get_ref<const std::string&>());
  const auto implied = LocaleProfile::order_of_picture(picture);
  if (!implied) fail(field, "a date picture needs a day (d or dd), a month (M...) and a year (y...)", value);
  order = *implied;
  return picture;
}

}  // namespace

LocaleProfile LocaleProfile::from_json(std::string_view json_text) {
  json object;
  try {
    object = json::parse(json_text);
  } catch (const json::parse_error& e) {
    throw LocaleProfileError(std::string("locale: not valid JSON: ") + e.what());
  }
  if (!object.is_object()) throw LocaleProfileError("locale: expected a JSON object, got " + object.dump());
  static constexpr const char* kFields[] = {"base",   "date_order", "measure",   "months",
                                            "abbreviated_months", "long_date", "short_date"};
  for (const auto& [key, value] : object.items()) {
    bool known = false;
    for (const char* field : kFields) known |= key == field;
    if (!known) fail(key, "unknown field; known are base, date_order, measure, months, abbreviated_months, long_date, short_date", value);
  }

  LocaleProfile p = base_of(object);
  if (auto it = object.find("months"); it != object.end()) read_names("months", *it, p.month_names);
  if (auto it = object.find("abbreviated_months"); it != object.end())
    read_names("abbreviated_months", *it, p.abbreviated_month_names);
  if (auto it = object.find("long_date"); it != object.end()) p.long_date = picture_of("long_date", *it, p.long_date_order);
  if (auto it = object.find("short_date"); it != object.end())
    p.short_date = picture_of("short_date", *it, p.short_date_order);
  if (auto it = object.find("date_order"); it != object.end()) p.long_date_order = p.short_date_order = date_order_of(*it);
  if (auto it = object.find("measure"); it != object.end()) p.measure = measure_of(*it);
  return p;
}

}  // namespace platform
