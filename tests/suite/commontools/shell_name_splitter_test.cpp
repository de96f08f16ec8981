#include <gtest/gtest.h>

#include <string>

#include "host/commontools.h"

namespace {

// Compose of every flag word the module uses, after a split with all components.
struct ComposeRow {
  int line;
  std::u16string path;
  std::u16string c47, c44, c40, c32, c8, c7, c4, c2;
};

const ComposeRow kComposeRows[] = {
    {__LINE__, u"file::C:\\dir\\name.ext", u"file::C:\\dir\\name.ext", u"C:\\dir\\name.ext", u"name.ext", u"ext",
     u"name", u"file::C:\\dir\\", u"C:\\dir\\", u"::"},
    {__LINE__, u"C:\\dir\\name.ext", u"C:\\dir\\name.ext", u"C:\\dir\\name.ext", u"name.ext", u"ext", u"name",
     u"C:\\dir\\", u"C:\\dir\\", u":"},
    {__LINE__, u"\\\\server\\share\\dir\\x.jpg", u"\\\\server\\share\\dir\\x.jpg", u"\\\\server\\share\\dir\\x.jpg",
     u"x.jpg", u"jpg", u"x", u"\\\\server\\share\\dir\\", u"\\\\server\\share\\dir\\", u""},
    {__LINE__, u"file::\\\\server\\share\\x.jpg", u"file::\\\\server\\share\\x.jpg", u"\\\\server\\share\\x.jpg",
     u"x.jpg", u"jpg", u"x", u"file::\\\\server\\share\\", u"\\\\server\\share\\", u"::"},
    {__LINE__, u"C:\\photos\\README", u"C:\\photos\\README", u"C:\\photos\\README", u"README", u"", u"README",
     u"C:\\photos\\", u"C:\\photos\\", u":"},
    {__LINE__, u"C:\\p\\a.b.c.jpg", u"C:\\p\\a.b.c.jpg", u"C:\\p\\a.b.c.jpg", u"a.b.c.jpg", u"jpg", u"a.b.c",
     u"C:\\p\\", u"C:\\p\\", u":"},
    {__LINE__, u"C:\\my.dir\\file", u"C:\\my.dir\\file", u"C:\\my.dir\\file", u"file", u"", u"file", u"C:\\my.dir\\",
     u"C:\\my.dir\\", u":"},
    {__LINE__, u"C:\\dir\\", u"C:\\dir\\", u"C:\\dir\\", u"", u"", u"", u"C:\\dir\\", u"C:\\dir\\", u":"},
    {__LINE__, u"C:/Users/me/pic.PNG", u"C:/Users/me/pic.PNG", u"C:/Users/me/pic.PNG", u"pic.PNG", u"PNG", u"pic",
     u"C:/Users/me/", u"C:/Users/me/", u":"},
    {__LINE__, u"", u"", u"", u"", u"", u"", u"", u"", u""},
    {__LINE__, u"name.jpg", u"name.jpg", u"name.jpg", u"name.jpg", u"jpg", u"name", u"", u"", u""},
    {__LINE__, u"file::name.jpg", u"file::name.jpg", u"name.jpg", u"name.jpg", u"jpg", u"name", u"file::", u"", u"::"},
    {__LINE__, u"C:", u"C:", u"C:", u"", u"", u"", u"C:", u"C:", u":"},
    {__LINE__, u"\\\\server\\share", u"\\\\server\\share", u"\\\\server\\share", u"", u"", u"", u"\\\\server\\share",
     u"\\\\server\\share", u""},
    {__LINE__, u"C:\\dir\\.hidden", u"C:\\dir\\.hidden", u"C:\\dir\\.hidden", u".hidden", u"hidden", u"",
     u"C:\\dir\\", u"C:\\dir\\", u":"},
    {__LINE__, u"C:\\dir\\..", u"C:\\dir\\..", u"C:\\dir\\..", u"..", u"", u"..", u"C:\\dir\\", u"C:\\dir\\", u":"},
    // A "::" inside the folders is no protocol.
    {__LINE__, u"C:\\a::b\\x.jpg", u"C:\\a::b\\x.jpg", u"C:\\a::b\\x.jpg", u"x.jpg", u"jpg", u"x", u"C:\\a::b\\",
     u"C:\\a::b\\", u":"},
    // Windows drops a name's trailing dot; so does the split.
    {__LINE__, u"file::C:\\x.", u"file::C:\\x", u"C:\\x", u"x", u"", u"x", u"file::C:\\", u"C:\\", u"::"},
};

TEST(ShellNameSplitter, ComposesEachFlagWord) {
  for (const auto& row : kComposeRows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    const CZEBShellNameSplitter split(row.path, 47);
    EXPECT_EQ(split.Compose(47), row.c47);
    EXPECT_EQ(split.Compose(44), row.c44);
    EXPECT_EQ(split.Compose(40), row.c40);
    EXPECT_EQ(split.Compose(32), row.c32);
    EXPECT_EQ(split.Compose(8), row.c8);
    EXPECT_EQ(split.Compose(7), row.c7);
    EXPECT_EQ(split.Compose(4), row.c4);
    EXPECT_EQ(split.Compose(2), row.c2);
  }
}

TEST(ShellNameSplitter, ReportsSingleComponents) {
  const CZEBShellNameSplitter unc(u"file::\\\\srv\\pics\\2004\\a.JPEG", 47);
  EXPECT_EQ(unc.GetProtocol(), u"file");
  EXPECT_EQ(unc.GetSeparator(), u"::");
  EXPECT_EQ(unc.GetDevice(), u"\\\\srv\\pics");
  EXPECT_EQ(unc.GetPath(), u"\\\\srv\\pics\\2004\\");
  EXPECT_EQ(unc.GetFileName(), u"a");
  EXPECT_EQ(unc.GetExtension(), u"JPEG");
  EXPECT_EQ(CZEBShellNameSplitter(u"d:\\a.jpg", 47).GetDevice(), u"d:");
  EXPECT_EQ(CZEBShellNameSplitter(static_cast<const WCHAR*>(nullptr), 47).Compose(47), u"");
}

TEST(ShellNameSplitter, SplitKeepsOnlyTheSelectedComponents) {
  CZEBShellNameSplitter split;
  split.Split(u"file::C:\\dir\\name.jpg", 40);
  EXPECT_EQ(split.Compose(47), u"name.jpg");
  EXPECT_EQ(split.GetPath(), u"");
  split.Split(u"file::C:\\dir\\name.jpg", 7);
  EXPECT_EQ(split.Compose(47), u"file::C:\\dir\\");
  // Without the protocol the separator is the drive's, and the rest is a plain path.
  split.Split(u"file::C:\\dir\\name.jpg", 46);
  EXPECT_EQ(split.GetSeparator(), u":");
  EXPECT_EQ(split.Compose(47), u"C:\\dir\\name.jpg");
}

TEST(ShellNameSplitter, PathWithoutExtensionComposesToTheBareName) {
  EXPECT_EQ(CZEBShellNameSplitter(u"file::C:\\Pictures\\Holiday", 47).Compose(40), u"Holiday");
}

TEST(ShellNameSplitter, PlainPathWithFileProtocolTakesTheHostForm) {
  for (const std::u16string path : {u"C:\\dir\\name.jpg", u"\\\\server\\share\\x.jpg", u"x.jpg"}) {
    CZEBShellNameSplitter split(path, 47);
    split.SetProtocol(u"file");
    EXPECT_EQ(split.Compose(47), u"file::" + path);
    EXPECT_EQ(split.GetSeparator(), u"::");
  }
}

TEST(ShellNameSplitter, SettersChangeTheNextCompose) {
  CZEBShellNameSplitter split(u"file::C:\\in\\clip.avi", 47);
  split.SetProtocol(u"");
  EXPECT_EQ(split.Compose(47), u"C:\\in\\clip.avi");
  EXPECT_EQ(split.GetSeparator(), u":");
  split.SetProtocol(u"file::");
  split.SetPath(u"D:\\out");
  split.SetExtension(u".WMV");
  EXPECT_EQ(split.Compose(47), u"file::D:\\out\\clip.WMV");
  split.SetProtocol(u"");
  split.SetPath(u"\\\\nas\\video");
  split.SetFileName(u"trip");
  split.SetExtension(u"");
  EXPECT_EQ(split.Compose(47), u"\\\\nas\\video\\trip");
  EXPECT_EQ(split.GetDevice(), u"\\\\nas\\video");
  EXPECT_EQ(split.GetSeparator(), u"");
}

}  // namespace
