#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "host/commontools.h"

namespace {

// Compose of every flag word the module uses, after a split with all components, joined by '|':
// 47 (all), 44, 40 (name.ext), 32 (ext), 8 (name), 7 (up to the folder), 4 (folder), 2 (separator).
std::u16string compose_all(const CZEBShellNameSplitter& split) {
  std::u16string out;
  for (DWORD flags : {47, 44, 40, 32, 8, 7, 4, 2}) out += (flags == 47 ? u"" : u"|") + split.Compose(flags);
  return out;
}

TEST(ShellNameSplitter, ComposesEachFlagWord) {
  struct Row { int line; std::u16string path, composed; };
  const Row rows[] = {
      {__LINE__, u"file::C:\\dir\\name.ext", u"file::C:\\dir\\name.ext|C:\\dir\\name.ext|name.ext|ext|name|"
                                             u"file::C:\\dir\\|C:\\dir\\|::"},
      {__LINE__, u"C:\\dir\\name.ext", u"C:\\dir\\name.ext|C:\\dir\\name.ext|name.ext|ext|name|C:\\dir\\|C:\\dir\\|:"},
      {__LINE__, u"\\\\server\\share\\dir\\x.jpg", u"\\\\server\\share\\dir\\x.jpg|\\\\server\\share\\dir\\x.jpg|"
                                                   u"x.jpg|jpg|x|\\\\server\\share\\dir\\|\\\\server\\share\\dir\\|"},
      {__LINE__, u"C:\\photos\\README", u"C:\\photos\\README|C:\\photos\\README|README||README|C:\\photos\\|"
                                        u"C:\\photos\\|:"},
      {__LINE__, u"C:\\p\\a.b.c.jpg", u"C:\\p\\a.b.c.jpg|C:\\p\\a.b.c.jpg|a.b.c.jpg|jpg|a.b.c|C:\\p\\|C:\\p\\|:"},
      {__LINE__, u"C:\\my.dir\\file", u"C:\\my.dir\\file|C:\\my.dir\\file|file||file|C:\\my.dir\\|C:\\my.dir\\|:"},
      {__LINE__, u"C:\\dir\\", u"C:\\dir\\|C:\\dir\\||||C:\\dir\\|C:\\dir\\|:"},
      {__LINE__, u"C:/Users/me/pic.PNG", u"C:/Users/me/pic.PNG|C:/Users/me/pic.PNG|pic.PNG|PNG|pic|C:/Users/me/|"
                                         u"C:/Users/me/|:"},
      {__LINE__, u"", u"|||||||"},
      {__LINE__, u"name.jpg", u"name.jpg|name.jpg|name.jpg|jpg|name|||"},
      {__LINE__, u"file::name.jpg", u"file::name.jpg|name.jpg|name.jpg|jpg|name|file::||::"},
      {__LINE__, u"C:", u"C:|C:||||C:|C:|:"},
      {__LINE__, u"\\\\server\\share", u"\\\\server\\share|\\\\server\\share||||\\\\server\\share|\\\\server\\share|"},
      {__LINE__, u"C:\\dir\\.hidden", u"C:\\dir\\.hidden|C:\\dir\\.hidden|.hidden|hidden||C:\\dir\\|C:\\dir\\|:"},
      {__LINE__, u"C:\\dir\\..", u"C:\\dir\\..|C:\\dir\\..|..||..|C:\\dir\\|C:\\dir\\|:"},
      // A "::" inside the folders is no protocol; a trailing dot goes, as on Windows.
      {__LINE__, u"C:\\a::b\\x.jpg", u"C:\\a::b\\x.jpg|C:\\a::b\\x.jpg|x.jpg|jpg|x|C:\\a::b\\|C:\\a::b\\|:"},
      {__LINE__, u"file::C:\\x.", u"file::C:\\x|C:\\x|x||x|file::C:\\|C:\\|::"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(compose_all(CZEBShellNameSplitter(row.path, 47)), row.composed) << "line " << row.line;
  EXPECT_EQ(CZEBShellNameSplitter(static_cast<const WCHAR*>(nullptr), 47).Compose(47), u"");
}

TEST(ShellNameSplitter, ComponentsSelectionAndSetters) {
  const CZEBShellNameSplitter unc(u"file::\\\\srv\\pics\\2004\\a.JPEG", 47);
  EXPECT_EQ(unc.GetProtocol() + u"|" + unc.GetSeparator() + u"|" + unc.GetDevice() + u"|" + unc.GetPath() + u"|" +
                unc.GetFileName() + u"|" + unc.GetExtension(),
            u"file|::|\\\\srv\\pics|\\\\srv\\pics\\2004\\|a|JPEG");
  EXPECT_EQ(CZEBShellNameSplitter(u"d:\\a.jpg", 47).GetDevice(), u"d:");
  CZEBShellNameSplitter split;
  split.Split(u"file::C:\\dir\\name.jpg", 40);  // only the selected components are kept
  EXPECT_EQ(split.Compose(47), u"name.jpg");
  EXPECT_EQ(split.GetPath(), u"");
  split.Split(u"file::C:\\dir\\name.jpg", 7);
  EXPECT_EQ(split.Compose(47), u"file::C:\\dir\\");
  split.Split(u"file::C:\\dir\\name.jpg", 46);  // without the protocol the separator is the drive's
  EXPECT_EQ(split.GetSeparator(), u":");
  EXPECT_EQ(split.Compose(47), u"C:\\dir\\name.jpg");
  for (const std::u16string path : {u"C:\\dir\\name.jpg", u"\\\\server\\share\\x.jpg", u"x.jpg"}) {
    split.Split(path, 47);
    split.SetProtocol(u"file");  // a plain path takes the host form
    EXPECT_EQ(split.Compose(47), u"file::" + path);
    EXPECT_EQ(split.GetSeparator(), u"::");
  }
  split.Split(u"file::C:\\in\\clip.avi", 47);
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
  EXPECT_EQ(split.GetDevice() + u"|" + split.GetSeparator(), u"\\\\nas\\video|");
}

TEST(StringSplitter, SplitsAtTheSeparatorAndAFailureKeepsThePreviousParts) {
  struct Row { int line; std::u16string text; WCHAR separator; std::vector<std::u16string> parts; };
  const Row rows[] = {
      {__LINE__, u"*.jpg;*.jpeg;", u';', {u"*.jpg", u"*.jpeg"}},  // a last separator ends the list
      {__LINE__, u"", u';', {}},                                {__LINE__, u"*.png", u';', {u"*.png"}},
      {__LINE__, u"a;;b", u';', {u"a", u"", u"b"}},             {__LINE__, u";", u';', {u""}},
      {__LINE__, u"JPEG|*.jpg;*.jpeg", u'|', {u"JPEG", u"*.jpg;*.jpeg"}},
  };
  ZEBStringSplitter splitter;
  for (const auto& row : rows) {
    ASSERT_TRUE(splitter.split(row.text, row.separator)) << "line " << row.line;
    std::vector<std::u16string> parts;
    for (int i = 0; splitter.pelement(i); ++i) parts.emplace_back(splitter.pelement(i));
    EXPECT_EQ(parts, row.parts) << "line " << row.line;
    EXPECT_EQ(splitter.size(), static_cast<int>(row.parts.size())) << "line " << row.line;
    EXPECT_EQ(splitter.pelement(-1), nullptr);
  }
  ASSERT_TRUE(splitter.split(u"a|b", u'|'));
  EXPECT_FALSE(splitter.split(static_cast<const WCHAR*>(nullptr), u'|'));
  EXPECT_FALSE(splitter.split(u"c|d|e", u'\0'));
  ASSERT_EQ(splitter.size(), 2);
  EXPECT_EQ(std::u16string(splitter.pelement(1)), u"b");
}

TEST(SoundHelper, OneInstanceLivesWhileCountedAlsoAcrossThreads) {
  ASSERT_EQ(CTSGSoundHelper::RefCount(), 0);
  CTSGSoundHelper* first = CTSGSoundHelper::AddRef();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(CTSGSoundHelper::AddRef(), first);
  EXPECT_TRUE(first->PlaySystemSound(0xFFFFFFFF));
  EXPECT_TRUE(first->PlaySystemSound(0x30));
  EXPECT_EQ(first->SoundsRequested(), 2);
  EXPECT_EQ(first->LastSound(), 0x30u);
  EXPECT_EQ(CTSGSoundHelper::DecreaseRef(), 1);
  EXPECT_EQ(CTSGSoundHelper::m_pSoundHelper.load(), first);
  EXPECT_EQ(CTSGSoundHelper::DecreaseRef(), 0);
  EXPECT_EQ(CTSGSoundHelper::m_pSoundHelper.load(), nullptr);
  EXPECT_EQ(CTSGSoundHelper::DecreaseRef(), 0) << "an extra release goes no lower";
  EXPECT_EQ(CTSGSoundHelper::AddRef()->SoundsRequested(), 0) << "a new instance";
  EXPECT_EQ(CTSGSoundHelper::DecreaseRef(), 0);
  // Threads create and delete the instance over and over; each uses it only while counted.
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([] {
      for (int i = 0; i < 2000; ++i) {
        CTSGSoundHelper::AddRef()->PlaySystemSound(0);
        CTSGSoundHelper::DecreaseRef();
      }
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(CTSGSoundHelper::RefCount(), 0);
  EXPECT_EQ(CTSGSoundHelper::m_pSoundHelper.load(), nullptr);
}

}  // namespace
