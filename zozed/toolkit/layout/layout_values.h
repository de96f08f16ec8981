// Value syntax of layout descriptions: Booleans, integers and the tagged size and position
// values of geometry, with the checks that keep a value within what its attribute allows.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zozed::layout {

enum class GeometryKind { Special, Percent, Absolute };

// Codes of kind Special.
inline constexpr std::int32_t kLeft = -1;
inline constexpr std::int32_t kRight = -2;
inline constexpr std::int32_t kTop = -3;
inline constexpr std::int32_t kBottom = -4;
inline constexpr std::int32_t kCenter = -5;
inline constexpr std::int32_t kIdeal = -101;
inline constexpr std::int32_t kIdealAdaptive = -102;
inline constexpr std::int32_t kStretch = -103;
inline constexpr std::int32_t kUnset = -202;

// A size or position: a keyword code, a percentage, or a number of pixels.
struct GeometryValue {
  GeometryKind kind = GeometryKind::Special;
  double number = kUnset;

  static GeometryValue special(std::int32_t code) { return {GeometryKind::Special, static_cast<double>(code)}; }
  static GeometryValue percent(double value) { return {GeometryKind::Percent, value}; }
  static GeometryValue absolute(std::int32_t value) { return {GeometryKind::Absolute, static_cast<double>(value)}; }

  bool is_unset() const { return kind == GeometryKind::Special && number == kUnset; }
  friend bool operator==(const GeometryValue&, const GeometryValue&) = default;
};

const char* kind_name(GeometryKind kind);

// Exactly "True" or "False"; anything else is not accepted.
std::optional<bool> parse_boolean(std::string_view text);

// Only the characters "-+0123456789", forming one signed decimal number within 32 bits.
std::optional<std::int32_t> parse_integer(std::string_view text);

// A keyword, a decimal fraction followed by "%", or a signed decimal integer. Unchecked.
std::optional<GeometryValue> parse_geometry_value(std::string_view text);

// What an attribute keeps of a parsed value: a keyword it cannot use becomes 50 pixels, a
// percentage outside 0..100 becomes 50 %.
GeometryValue checked_size(GeometryValue value);
GeometryValue checked_x(GeometryValue value);
GeometryValue checked_y(GeometryValue value);

}  // namespace zozed::layout
