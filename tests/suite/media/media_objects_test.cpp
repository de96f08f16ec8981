// The suite's media objects through COM: media services with the image object, file objects,
// file and document items, the attachment resolver and the slide-show check.
#include <gtest/gtest.h>

#include "host/attachment_resolver.h"
#include "host/image_object.h"
#include "host/media_items.h"
#include "host/media_services.h"
#include "platform/path_mapping.h"
#include "platform/support/bstr.h"
#include "platform/support/safe_array.h"
#include "platform/support/variant.h"
#include "suite/host/dmsp_document.h"
#include "suite/host/suite_items.h"
#include "tests/suite/host/suite_host_test_support.h"
#include "tests/suite/media/media_test_files.h"

namespace {

using platform::Bstr;
using platform::ComPtr;
using platform::SafeArray;
using platform::Variant;

class MediaObjectsTest : public suite_host_test::SuiteTest {
 protected:
  void SetUp() override {
    SuiteTest::SetUp();
    folder_.SetUp();
    start();
    services_ = create<IMediaServices>(host::CLSID_MediaServices);
  }
  void TearDown() override {
    services_.reset();
    folder_.TearDown();
    SuiteTest::TearDown();
  }

  // "file::Z:\..." for a file of the test's folder.
  std::u16string host_path(const std::string& name) const {
    return u"file::" + platform::windows_path_of(folder_.path(name));
  }

  ComPtr<IImageObject> load(const std::u16string& path, HRESULT expected = S_OK) {
    auto image = create<IImageObject>(host::CLSID_ImageObject);
    auto config = SafeArray::create_vector(VT_I4, 0, 4);
    for (LONG i = 0; i < 4; ++i) EXPECT_EQ(config.put_element(i, host::kImageLoadConfiguration[i]), S_OK);
    const Variant value(std::move(config));
    EXPECT_EQ(image->SetConfiguration(*value.get()), S_OK);
    const Bstr file(path);
    const MediaLoadRequest request{file.get(), host::kLoadFlagImage, image.get(), host::kLoadOptionIntoTarget};
    EXPECT_EQ(services_->LoadImage(&request), expected);
    return image;
  }

  struct Folder : media_test::MediaFolderTest {
    void TestBody() override {}
    using MediaFolderTest::path;
    using MediaFolderTest::save;
    using MediaFolderTest::SetUp;
    using MediaFolderTest::TearDown;
    using MediaFolderTest::forged_png;
    using MediaFolderTest::folder_;
  } folder_;
  ComPtr<IMediaServices> services_;
};

TEST_F(MediaObjectsTest, LoadTurnResizeAndSaveThroughMediaServices) {
  folder_.save(media_test::two_tone(1200, 800), "photo.jpg");
  ImageInfo info{};
  ASSERT_EQ(services_->GetImageInfo(Bstr(host_path("photo.jpg")).get(), &info), S_OK);
  EXPECT_EQ(info.frame_count, 1);
  EXPECT_EQ(info.frames[0].width, 1200);
  EXPECT_EQ(info.frames[0].height, 800);
  EXPECT_EQ(info.bits_per_pixel, 24);
  EXPECT_EQ(info.planes, 1);
  EXPECT_EQ(info.media_type, 0);
  EXPECT_EQ(info.file_size, std::filesystem::file_size(folder_.path("photo.jpg")));

  auto image = load(host_path("photo.jpg"));
  EXPECT_EQ(image->Rotate(1), S_OK);
  LONG width = 0, height = 0, bits = 0;
  ASSERT_EQ(image->GetSize(&width, &height), S_OK);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 1200);
  EXPECT_EQ(image->Resize(300, 450), S_OK);
  ASSERT_EQ(image->GetBitsPerPixel(&bits), S_OK);
  EXPECT_EQ(bits, 24);
  EXPECT_EQ(image->ResetPendingChanges(), S_OK);
  ASSERT_EQ(services_->SaveImage(image.get(), Bstr(host_path("small.jpg")).get()), S_OK);
  const vips::VImage out = vips::VImage::new_from_file(folder_.path("small.jpg").c_str());
  EXPECT_EQ(out.width(), 300);
  EXPECT_EQ(out.height(), 450);
  EXPECT_EQ(image->GetSize(&width, &height), E_UNEXPECTED) << "released after the save";
  EXPECT_EQ(image.detach()->Release(), 0u);
}

TEST_F(MediaObjectsTest, BadPicturesFailWithTheReasonKept) {
  media_test::write_bytes(folder_.path("text.jpg"), {'h', 'i', '\n'});
  ImageInfo info{};
  EXPECT_EQ(services_->GetImageInfo(Bstr(host_path("text.jpg")).get(), &info), E_FAIL);
  EXPECT_EQ(info.media_type, 0);
  EXPECT_EQ(info.file_size, 3u);
  EXPECT_EQ(info.frame_count, 0);

  auto image = load(host_path("text.jpg"), E_FAIL);
  EXPECT_EQ(services_->SaveImage(image.get(), Bstr(host_path("out.jpg")).get()), E_FAIL);
  const auto& errors = session_.state().media_errors;
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_NE(errors[1].find("text.jpg"), std::string::npos) << errors[1];
  EXPECT_NE(errors[2].find("no picture is loaded"), std::string::npos) << errors[2];

  folder_.forged_png("huge.png", 100000, 100000);
  image = load(host_path("huge.png"), E_FAIL);
  EXPECT_NE(errors.back().find("100000 x 100000"), std::string::npos) << errors.back();
  image = load(u"file::Q:\\nowhere\\lost.jpg", HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  EXPECT_NE(errors.back().find("lost.jpg"), std::string::npos) << errors.back();
  EXPECT_EQ(services_->LoadImage(nullptr), E_POINTER);
}

TEST_F(MediaObjectsTest, ImageObjectRefusesBadArguments) {
  auto image = create<IImageObject>(host::CLSID_ImageObject);
  Variant text(u"0,1,2");
  EXPECT_EQ(image->SetConfiguration(*text.get()), E_INVALIDARG);
  auto config = SafeArray::create_vector(VT_I4, 0, 1);
  ASSERT_EQ(config.put_element(0, 42), S_OK);
  const Variant unknown_layout(std::move(config));
  EXPECT_EQ(image->SetConfiguration(*unknown_layout.get()), E_INVALIDARG);
  EXPECT_EQ(image->Resize(0, 5), E_INVALIDARG);
  EXPECT_EQ(image->Rotate(1), E_UNEXPECTED);
  LONG w = 0;
  EXPECT_EQ(image->GetSize(&w, nullptr), E_POINTER);
  EXPECT_EQ(image->GetBitsPerPixel(nullptr), E_POINTER);
}

TEST_F(MediaObjectsTest, MediaTypesAndFileObjects) {
  LONG type = 9;
  EXPECT_EQ(services_->GetMediaType(Bstr(u".JPG").get(), &type), S_OK);
  EXPECT_EQ(type, 0);
  EXPECT_EQ(services_->GetMediaType(Bstr(u"file::Z:\\a\\show.dmsp").get(), &type), S_OK);
  EXPECT_EQ(type, 4);
  EXPECT_EQ(services_->GetMediaType(nullptr, &type), S_OK);
  EXPECT_EQ(type, -1);

  media_test::write_bytes(folder_.path("a.wmv"), {1, 2, 3});
  struct Row {
    int line;
    std::u16string path;
    bool exists;
    LONG kind;
    bool unusable;
  };
  const Row rows[] = {
      {__LINE__, host_path("a.wmv"), true, 1, false},
      {__LINE__, u"file::" + platform::windows_path_of(folder_.folder_.string()), true, 2, false},
      {__LINE__, host_path("absent.jpg"), false, 5, true},
  };
  for (const auto& row : rows) {
    ComPtr<IFileObject> file;
    ASSERT_EQ(services_->GetFileObject(Bstr(row.path).get(), file.put()), S_OK) << "row at line " << row.line;
    VARIANT_BOOL exists = VARIANT_FALSE;
    DWORD attributes = 0;
    LONG kind = 0, error = -1;
    EXPECT_EQ(file->Exists(&exists), S_OK);
    EXPECT_EQ(exists == VARIANT_TRUE, row.exists) << "row at line " << row.line;
    EXPECT_EQ(file->GetKind(&kind), S_OK);
    EXPECT_EQ(kind, row.kind) << "row at line " << row.line;
    EXPECT_EQ(file->GetAttributes(&attributes), S_OK);
    EXPECT_EQ((attributes & host::kUnusableAttribute) != 0, row.unusable) << "row at line " << row.line;
    EXPECT_EQ(file->GetLastError(&error), S_OK);
    EXPECT_EQ(error != 0, !row.exists) << "row at line " << row.line;
  }
  ComPtr<IFileObject> file;
  ASSERT_EQ(services_->GetFileObject(Bstr(u"file::Z:\\photos\\2024\\a.jpg").get(), file.put()), S_OK);
  Bstr text;
  ASSERT_EQ(file->GetFolderPart(text.put()), S_OK);
  EXPECT_EQ(text.view(), u"file::Z:\\photos\\2024\\");
  ASSERT_EQ(file->ResolveRelativePath(Bstr(u"..\\2023\\.\\b.jpg").get(), text.put()), S_OK);
  EXPECT_EQ(text.view(), u"file::Z:\\photos\\2023\\b.jpg");
  ASSERT_EQ(file->ResolveRelativePath(Bstr(u"..\\..\\..\\c.jpg").get(), text.put()), S_OK);
  EXPECT_EQ(text.view(), u"file::Z:\\c.jpg");
  ASSERT_EQ(file->ResolveRelativePath(Bstr(u"Y:\\other\\d.jpg").get(), text.put()), S_OK);
  EXPECT_EQ(text.view(), u"file::Y:\\other\\d.jpg");
  EXPECT_EQ(services_->GetFileObject(Bstr(u"").get(), file.put()), E_INVALIDARG);
}

TEST_F(MediaObjectsTest, ResolverYieldsEachItemsFileWithItsTurns) {
  auto resolver = create<IAttachmentResolver>(host::CLSID_AttachmentResolver);
  auto paths = SafeArray::create_vector(VT_BSTR, 0, 3);
  auto turns = SafeArray::create_vector(VT_I4, 0, 3);
  const std::u16string names[] = {u"file::Z:\\a.jpg", u"file::Z:\\b.wmv", u"file::Z:\\c.png"};
  const LONG rotations[] = {1, 0, 7};
  for (LONG i = 0; i < 3; ++i) {
    ASSERT_EQ(paths.put_element(i, names[i]), S_OK);
    ASSERT_EQ(turns.put_element(i, rotations[i]), S_OK);
  }
  const Variant path_list(std::move(paths));
  const Variant turn_list(std::move(turns));
  ASSERT_EQ(resolver->SetItems(*path_list.get(), *turn_list.get()), S_OK);
  const LONG expected_turns[] = {1, 0, 3};
  for (int i = 0; i < 3; ++i) {
    Bstr source, file;
    LONG rotation = -1;
    ASSERT_EQ(resolver->Next(source.put(), file.put(), &rotation), S_OK) << i;
    EXPECT_EQ(source.view(), names[i]);
    EXPECT_EQ(file.view(), names[i]);
    EXPECT_EQ(rotation, expected_turns[i]);
  }
  Bstr source, file;
  LONG rotation = 0;
  EXPECT_EQ(resolver->Next(source.put(), file.put(), &rotation), S_FALSE);
  EXPECT_TRUE(file.is_null());

  auto one_turn = SafeArray::create_vector(VT_I4, 0, 1);
  const Variant short_list(std::move(one_turn));
  EXPECT_EQ(resolver->SetItems(*path_list.get(), *short_list.get()), E_INVALIDARG);
}

TEST_F(MediaObjectsTest, SlideShowCheckVerdicts) {
  folder_.save(media_test::two_tone(40, 30), "ok.jpg");
  media_test::write_bytes(folder_.path("clip.wmv"), {0});
  media_test::write_bytes(folder_.path("text.png"), {'x'});
  media_test::write_bytes(folder_.path("show.dmsp"), {'{', '}'});
  media_test::write_bytes(folder_.path("notes.txt"), {'x'});
  struct Row {
    int line;
    std::u16string path;
    LONG verdict;
  };
  const Row rows[] = {
      {__LINE__, host_path("ok.jpg"), 0},    {__LINE__, host_path("clip.wmv"), 0},
      {__LINE__, host_path("gone.jpg"), 1},  {__LINE__, u"", 1},
      {__LINE__, host_path("show.dmsp"), 2}, {__LINE__, host_path("notes.txt"), 2},
      {__LINE__, host_path("text.png"), 3},
  };
  auto check = create<ISlideShowCheck>(host::CLSID_SlideShowCheck);
  for (const auto& row : rows) {
    ASSERT_EQ(check->SetFile(Bstr(row.path).get()), S_OK);
    LONG verdict = -1;
    ASSERT_EQ(check->GetVerdict(&verdict), S_OK);
    EXPECT_EQ(verdict, row.verdict) << "row at line " << row.line;
  }
}

TEST_F(MediaObjectsTest, FileItemsAndSlideShowDocuments) {
  vips::VImage tagged = media_test::two_tone(60, 40).copy();
  tagged.set(VIPS_META_ORIENTATION, 6);
  tagged.jpegsave(folder_.path("tagged.jpg").c_str());
  ComPtr<IMediaItem> item;
  ASSERT_EQ(suite::create_file_item(platform::windows_path_of(folder_.path("tagged.jpg")), item.put()), S_OK);
  Bstr text;
  ASSERT_EQ(item->GetPath(text.put()), S_OK);
  EXPECT_EQ(text.view(), host_path("tagged.jpg"));
  ASSERT_EQ(item->GetDisplayName(text.put()), S_OK);
  EXPECT_EQ(text.view(), u"tagged.jpg");
  LONG turns = -1;
  ASSERT_EQ(item->GetOrientation(&turns), S_OK);
  EXPECT_EQ(turns, 1);
  ASSERT_EQ(item->SetStringProperty(Bstr(u"caption").get()), S_OK);
  ASSERT_EQ(item->GetStringProperty(text.put()), S_OK);
  EXPECT_EQ(text.view(), u"caption");
  ComPtr<IOpenDocument> none;
  EXPECT_EQ(item->GetDocument(none.put()), S_FALSE);
  EXPECT_FALSE(none);
  EXPECT_EQ(item.detach()->Release(), 0u);

  suite::DmspDocument show{u"Summer", {{host_path("tagged.jpg"), 1}, {u"file::Z:\\clips\\b.wmv", 0}}};
  ASSERT_EQ(suite::create_document_item(u"", show, true, item.put()), S_OK);
  ComPtr<IOpenDocument> document;
  ASSERT_EQ(item->GetDocument(document.put()), S_OK);
  ASSERT_EQ(document->GetPath(text.put()), S_OK);
  EXPECT_TRUE(text.view().empty()) << "untitled";
  VARIANT_BOOL modified = VARIANT_FALSE;
  ASSERT_EQ(document->GetModified(&modified), S_OK);
  EXPECT_EQ(modified, VARIANT_TRUE);
  ASSERT_EQ(document->SaveTo(Bstr(host_path("QRNES0.dmsp")).get()), S_OK);
  const suite::DmspDocument back = suite::read_dmsp(folder_.path("QRNES0.dmsp"));
  EXPECT_EQ(back.title, u"Summer");
  ASSERT_EQ(back.slides.size(), 2u);
  EXPECT_EQ(back.slides[0].source, host_path("tagged.jpg"));
  EXPECT_EQ(back.slides[0].rotation, 1);
  EXPECT_EQ(back.slides[1].source, u"file::Z:\\clips\\b.wmv");
  EXPECT_EQ(document->SaveTo(Bstr(u"").get()), E_INVALIDARG);
  document.reset();
  EXPECT_EQ(item.detach()->Release(), 0u);

  media_test::write_bytes(folder_.path("broken.dmsp"), {'[', '1', ']'});
  EXPECT_THROW(suite::read_dmsp(folder_.path("broken.dmsp")), std::runtime_error);
}

}  // namespace
