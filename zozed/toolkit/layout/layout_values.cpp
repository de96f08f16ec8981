#include "zozed/toolkit/layout/layout_values.h"

#include <array>
#include <charconv>
#include <initializer_list>
#include <utility>

namespace zozed::layout {

namespace {

constexpr std::array<std::pair<std::string_view, std::int32_t>, 8> kKeywords{{
    {"Left", kLeft},
    {"Right", kRight},
    {"Top", kTop},
    {"Bottom", kBottom},
    {"Center", kCenter},
    {"Ideal", kIdeal},
    {"IdealAdaptive", kIdealAdaptive},
    {"Stretch", kStretch},
}};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "[+-]digits": std::from_chars takes no leading plus.
std::optional<std::int32_t> parse_signed_decimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  for (char c : text)
    if (!is_digit(c)) return std::nullopt;
  std::int64_t magnitude = 0;
  for (char c : text) {
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > 2147483648LL) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

// "[+-]digits[.digits]" or "[+-].digits", with a full stop whatever the locale.
std::optional<double> parse_decimal_fraction(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  const std::string_view fraction = dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  for (char c : whole)
    if (!is_digit(c)) return std::nullopt;
  for (char c : fraction)
    if (!is_digit(c)) return std::nullopt;
  if (whole.size() > 15) return std::nullopt;
  double value = 0;
  for (char c : whole) value = value * 10 + (c - '0');
  double scale = 0.1;
  for (char c : fraction) {
    value += (c - '0') * scale;
    scale /= 10;
  }
  return negative ? -value : value;
}

bool special_in(const GeometryValue& value, std::initializer_list<std::int32_t> allowed) {
  if (value.kind != GeometryKind::Special) return true;
  if (value.number == kUnset) return true;
  for (std::int32_t code : allowed)
    if (value.number == code) return true;
  return false;
}

GeometryValue checked(GeometryValue value, std::initializer_list<std::int32_t> allowed) {
  if (!special_in(value, allowed)) return GeometryValue::absolute(50);
  if (value.kind == GeometryKind::Percent && (value.number < 0 || value.number > 100)) return GeometryValue::percent(50);
  return value;
}

}  // namespace

const char* kind_name(GeometryKind kind) {
  switch (kind) {
    case GeometryKind::Special: return "special";
    case GeometryKind::Percent: return "percent";
    case GeometryKind::Absolute: return "absolute";
  }
  return "?";
}

std::optional<bool> parse_boolean(std::string_view text) {
  if (text == "True") return true;
  if (text == "False") return false;
  return std::nullopt;
}

std::optional<std::int32_t> parse_integer(std::string_view text) {
  for (char c : text)
    if (!is_digit(c) && c != '-' && c != '+') return std::nullopt;
  return parse_signed_decimal(text);
}

std::optional<GeometryValue> parse_geometry_value(std::string_view text) {
  for (const auto& [keyword, code] : kKeywords)
    if (text == keyword) return GeometryValue::special(code);
  if (!text.empty() && text.back() == '%') {
    const auto fraction = parse_decimal_fraction(text.substr(0, text.size() - 1));
    if (!fraction) return std::nullopt;
    return GeometryValue::percent(*fraction);
  }
  const auto number = parse_signed_decimal(text);
  if (!number) return std::nullopt;
  return GeometryValue::absolute(*number);
}

GeometryValue checked_size(GeometryValue value) { return checked(value, {kIdeal, kIdealAdaptive, kStretch}); }
GeometryValue checked_x(GeometryValue value) { return checked(value, {kLeft, kRight, kCenter}); }
GeometryValue checked_y(GeometryValue value) { return checked(value, {kTop, kBottom, kCenter}); }

}  // namespace zozed::layout
