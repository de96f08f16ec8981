#include <gtest/gtest.h>

#include "suite/media/media_types.h"

namespace {

using namespace suite::media;

TEST(MediaTypes, ExtensionsMapToTheSuitesTypes) {
  struct Row {
    int line;
    const char* path;
    std::int32_t type;
  };
  const Row rows[] = {
      {__LINE__, "/photos/a.jpg", kPhoto},       {__LINE__, "A.JPEG", kPhoto},
      {__LINE__, ".png", kPhoto},                {__LINE__, "gif", kPhoto},
      {__LINE__, "scan.TIFF", kPicture},         {__LINE__, "x.webp", kPicture},
      {__LINE__, "Z:\\clips\\talk.wmv", kVideo}, {__LINE__, "movie.mp4", kVideo},
      {__LINE__, "song.wma", kAudio},            {__LINE__, "voice.wav", kAudio},
      {__LINE__, "show.dmsp", kSlideShow},       {__LINE__, "show.DMSP", kSlideShow},
      {__LINE__, "show.wmvs", kSlideShowVideo},  {__LINE__, "", kNoMediaType},
      {__LINE__, "notes.txt", kNoMediaType},     {__LINE__, "archive.jpg.zip", kNoMediaType},
      {__LINE__, "folder.jpg\\file", kNoMediaType}, {__LINE__, "trailing.", kNoMediaType},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(media_type_of(std::string_view(row.path)), row.type) << "row at line " << row.line;
    const std::string narrow(row.path);
    EXPECT_EQ(media_type_of(std::u16string(narrow.begin(), narrow.end())), row.type) << "row at line " << row.line;
  }
}

}  // namespace
