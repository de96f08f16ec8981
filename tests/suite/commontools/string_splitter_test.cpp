#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/commontools.h"

namespace {

struct SplitRow {
  int line;
  std::u16string text;
  WCHAR separator;
  std::vector<std::u16string> parts;
};

const SplitRow kSplitRows[] = {
    {__LINE__, u"*.jpg;*.jpeg", u';', {u"*.jpg", u"*.jpeg"}},
    {__LINE__, u"*.jpg;*.jpeg;", u';', {u"*.jpg", u"*.jpeg"}},
    {__LINE__, u"", u';', {}},
    {__LINE__, u"*.png", u';', {u"*.png"}},
    {__LINE__, u"a;;b", u';', {u"a", u"", u"b"}},
    {__LINE__, u";a", u';', {u"", u"a"}},
    {__LINE__, u";", u';', {u""}},
    {__LINE__, u";;", u';', {u"", u""}},
    {__LINE__, u"JPEG|*.jpg;*.jpeg|", u'|', {u"JPEG", u"*.jpg;*.jpeg"}},
};

TEST(StringSplitter, SplitsAtTheSeparator) {
  for (const auto& row : kSplitRows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    ZEBStringSplitter splitter;
    ASSERT_TRUE(splitter.split(row.text, row.separator));
    ASSERT_EQ(splitter.size(), static_cast<int>(row.parts.size()));
    for (int i = 0; i < splitter.size(); ++i) {
      ASSERT_NE(splitter.pelement(i), nullptr);
      EXPECT_EQ(std::u16string(splitter.pelement(i)), row.parts[static_cast<std::size_t>(i)]) << "part " << i;
    }
    EXPECT_EQ(splitter.pelement(-1), nullptr);
    EXPECT_EQ(splitter.pelement(splitter.size()), nullptr);
  }
}

TEST(StringSplitter, FailureKeepsThePreviousParts) {
  ZEBStringSplitter splitter;
  ASSERT_TRUE(splitter.split(u"a|b", u'|'));
  EXPECT_FALSE(splitter.split(static_cast<const WCHAR*>(nullptr), u'|'));
  EXPECT_FALSE(splitter.split(u"c|d|e", u'\0'));
  ASSERT_EQ(splitter.size(), 2);
  EXPECT_EQ(std::u16string(splitter.pelement(1)), u"b");
  ASSERT_TRUE(splitter.split(u"", u'|'));
  EXPECT_EQ(splitter.size(), 0);
}

}  // namespace
