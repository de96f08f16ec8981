#include <gtest/gtest.h>

#include "zozed/toolkit/layout/layout_values.h"

namespace zozed::layout {
namespace {

using K = GeometryKind;

struct GeometryRow {
  int line;
  const char* text;
  bool accepted;
  K kind;
  double number;
};

TEST(LayoutValues, GeometryValueSyntax) {
  const GeometryRow rows[] = {
      {__LINE__, "Left", true, K::Special, -1},
      {__LINE__, "Right", true, K::Special, -2},
      {__LINE__, "Top", true, K::Special, -3},
      {__LINE__, "Bottom", true, K::Special, -4},
      {__LINE__, "Center", true, K::Special, -5},
      {__LINE__, "Ideal", true, K::Special, -101},
      {__LINE__, "IdealAdaptive", true, K::Special, -102},
      {__LINE__, "Stretch", true, K::Special, -103},
      {__LINE__, "stretch", false, K::Special, 0},
      {__LINE__, " Left", false, K::Special, 0},
      {__LINE__, "50%", true, K::Percent, 50},
      {__LINE__, "12.5%", true, K::Percent, 12.5},
      {__LINE__, ".5%", true, K::Percent, 0.5},
      {__LINE__, "-10%", true, K::Percent, -10},
      {__LINE__, "150%", true, K::Percent, 150},
      {__LINE__, "12,5%", false, K::Special, 0},
      {__LINE__, "%", false, K::Special, 0},
      {__LINE__, "abc%", false, K::Special, 0},
      {__LINE__, "120", true, K::Absolute, 120},
      {__LINE__, "+7", true, K::Absolute, 7},
      {__LINE__, "-20", true, K::Absolute, -20},
      {__LINE__, "0", true, K::Absolute, 0},
      {__LINE__, "2147483647", true, K::Absolute, 2147483647},
      {__LINE__, "-2147483648", true, K::Absolute, -2147483648.0},
      {__LINE__, "2147483648", false, K::Special, 0},
      {__LINE__, "12px", false, K::Special, 0},
      {__LINE__, "1.5", false, K::Special, 0},
      {__LINE__, "", false, K::Special, 0},
      {__LINE__, "-", false, K::Special, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line << ": \"" << row.text << "\"");
    const auto value = parse_geometry_value(row.text);
    ASSERT_EQ(value.has_value(), row.accepted);
    if (!value) continue;
    EXPECT_EQ(value->kind, row.kind);
    EXPECT_DOUBLE_EQ(value->number, row.number);
  }
}

enum class Check { Size, X, Y };

struct CheckRow {
  int line;
  Check check;
  GeometryValue in;
  GeometryValue out;
};

GeometryValue apply(Check check, GeometryValue value) {
  switch (check) {
    case Check::Size: return checked_size(value);
    case Check::X: return checked_x(value);
    case Check::Y: return checked_y(value);
  }
  return value;
}

TEST(LayoutValues, ChecksPerAttribute) {
  const auto S = GeometryValue::special;
  const auto P = GeometryValue::percent;
  const auto A = GeometryValue::absolute;
  const CheckRow rows[] = {
      // width and height keep the sizing keywords and the unset code only.
      {__LINE__, Check::Size, S(kStretch), S(kStretch)},
      {__LINE__, Check::Size, S(kIdeal), S(kIdeal)},
      {__LINE__, Check::Size, S(kIdealAdaptive), S(kIdealAdaptive)},
      {__LINE__, Check::Size, S(kUnset), S(kUnset)},
      {__LINE__, Check::Size, S(kLeft), A(50)},
      {__LINE__, Check::Size, S(kCenter), A(50)},
      {__LINE__, Check::Size, S(kBottom), A(50)},
      {__LINE__, Check::Size, P(150), P(50)},
      {__LINE__, Check::Size, P(-0.5), P(50)},
      {__LINE__, Check::Size, P(0), P(0)},
      {__LINE__, Check::Size, P(100), P(100)},
      {__LINE__, Check::Size, P(33.3), P(33.3)},
      {__LINE__, Check::Size, A(-40), A(-40)},
      {__LINE__, Check::Size, A(5000), A(5000)},
      // x keeps Left, Right, Center.
      {__LINE__, Check::X, S(kLeft), S(kLeft)},
      {__LINE__, Check::X, S(kRight), S(kRight)},
      {__LINE__, Check::X, S(kCenter), S(kCenter)},
      {__LINE__, Check::X, S(kUnset), S(kUnset)},
      {__LINE__, Check::X, S(kTop), A(50)},
      {__LINE__, Check::X, S(kBottom), A(50)},
      {__LINE__, Check::X, S(kStretch), A(50)},
      {__LINE__, Check::X, P(101), P(50)},
      {__LINE__, Check::X, P(100), P(100)},
      // y keeps Top, Bottom, Center.
      {__LINE__, Check::Y, S(kTop), S(kTop)},
      {__LINE__, Check::Y, S(kBottom), S(kBottom)},
      {__LINE__, Check::Y, S(kCenter), S(kCenter)},
      {__LINE__, Check::Y, S(kUnset), S(kUnset)},
      {__LINE__, Check::Y, S(kLeft), A(50)},
      {__LINE__, Check::Y, S(kRight), A(50)},
      {__LINE__, Check::Y, S(kIdeal), A(50)},
      {__LINE__, Check::Y, P(-1), P(50)},
      {__LINE__, Check::Y, P(0), P(0)},
      {__LINE__, Check::Y, A(-3), A(-3)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    const GeometryValue out = apply(row.check, row.in);
    EXPECT_EQ(out.kind, row.out.kind);
    EXPECT_DOUBLE_EQ(out.number, row.out.number);
  }
}

TEST(LayoutValues, BooleansAreExact) {
  EXPECT_EQ(parse_boolean("True"), true);
  EXPECT_EQ(parse_boolean("False"), false);
  for (const char* text : {"true", "false", "TRUE", "1", "0", "yes", "", " True", "True "}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(parse_boolean(text).has_value());
  }
}

struct IntegerRow {
  int line;
  const char* text;
  std::optional<std::int32_t> value;
};

TEST(LayoutValues, IntegerSyntax) {
  const IntegerRow rows[] = {
      {__LINE__, "4", 4},
      {__LINE__, "+4", 4},
      {__LINE__, "-4", -4},
      {__LINE__, "007", 7},
      {__LINE__, "-2147483648", INT32_MIN},
      {__LINE__, "2147483647", INT32_MAX},
      {__LINE__, "2147483648", std::nullopt},
      {__LINE__, "4px", std::nullopt},
      {__LINE__, " 4", std::nullopt},
      {__LINE__, "4.0", std::nullopt},
      {__LINE__, "0x10", std::nullopt},
      {__LINE__, "", std::nullopt},
      {__LINE__, "+", std::nullopt},
      {__LINE__, "4-2", std::nullopt},
      {__LINE__, "--4", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line << ": \"" << row.text << "\"");
    EXPECT_EQ(parse_integer(row.text), row.value);
  }
}

}  // namespace
}  // namespace zozed::layout
