// The value syntax of layout descriptions: geometry values, the checks each attribute applies,
// Booleans and integers. Each row is named by the text it reads.
#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

#include "zozed/toolkit/layout/layout_values.h"

namespace zozed::layout {
namespace {

std::string describe(std::optional<GeometryValue> value) {
  if (!value) return "refused";
  std::ostringstream text;
  text << kind_name(value->kind) << ' ' << std::setprecision(12) << value->number;
  return text.str();
}

struct Row {
  const char* text;
  const char* expected;
};

TEST(LayoutValues, GeometryValueSyntax) {
  // Keywords match exactly; numbers are decimal with a full stop, percentages may have a fraction.
  const Row rows[] = {
      {"Left", "special -1"},      {"Stretch", "special -103"},   {"stretch", "refused"},        {" Left", "refused"},
      {"50%", "percent 50"},       {"12.5%", "percent 12.5"},     {".5%", "percent 0.5"},        {"-10%", "percent -10"},
      {"12,5%", "refused"},        {"%", "refused"},              {"+7", "absolute 7"},          {"-20", "absolute -20"},
      {"2147483647", "absolute 2147483647"},  {"-2147483648", "absolute -2147483648"},  {"2147483648", "refused"},
      {"12px", "refused"},         {"1.5", "refused"},            {"", "refused"},               {"-", "refused"},
  };
  for (const Row& row : rows) EXPECT_EQ(describe(parse_geometry_value(row.text)), row.expected) << '"' << row.text << '"';
}

TEST(LayoutValues, ChecksPerAttribute) {
  using Check = GeometryValue (*)(GeometryValue);
  // width and height keep the sizing keywords only, x Left, Right and Center, y Top, Bottom and
  // Center; any other keyword becomes 50 pixels, a percentage outside 0..100 becomes 50 %.
  const struct {
    const char* attribute;
    Check check;
    std::vector<Row> rows;
  } kAttributes[] = {
      {"size", checked_size,
       {{"Stretch", "special -103"}, {"Ideal", "special -101"}, {"Left", "absolute 50"}, {"150%", "percent 50"},
        {"-0.5%", "percent 50"}, {"0%", "percent 0"}, {"100%", "percent 100"}, {"-40", "absolute -40"}}},
      {"x", checked_x, {{"Right", "special -2"}, {"Top", "absolute 50"}, {"101%", "percent 50"}, {"100%", "percent 100"}}},
      {"y", checked_y, {{"Bottom", "special -4"}, {"Left", "absolute 50"}, {"-1%", "percent 50"}, {"0%", "percent 0"}}},
  };
  for (const auto& attribute : kAttributes) {
    EXPECT_TRUE(attribute.check(GeometryValue{}).is_unset()) << attribute.attribute << " keeps the unset code";
    for (const Row& row : attribute.rows)
      EXPECT_EQ(describe(attribute.check(*parse_geometry_value(row.text))), row.expected)
          << attribute.attribute << " \"" << row.text << '"';
  }
}

TEST(LayoutValues, BooleansAreExact) {
  EXPECT_EQ(parse_boolean("True"), true);
  EXPECT_EQ(parse_boolean("False"), false);
  for (const char* text : {"true", "false", "TRUE", "1", "0", "yes", "", " True", "True "})
    EXPECT_FALSE(parse_boolean(text).has_value()) << '"' << text << '"';
}

TEST(LayoutValues, IntegerSyntax) {
  const std::pair<const char*, std::optional<std::int32_t>> rows[] = {
      {"+4", 4},             {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}, {"2147483648", std::nullopt},
      {"4px", std::nullopt}, {" 4", std::nullopt},       {"0x10", std::nullopt},    {"", std::nullopt},
      {"+", std::nullopt},   {"4-2", std::nullopt},      {"--4", std::nullopt},
  };
  for (const auto& [text, value] : rows) EXPECT_EQ(parse_integer(text), value) << '"' << text << '"';
}

}  // namespace
}  // namespace zozed::layout
