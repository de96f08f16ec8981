// The suite's classification of files by extension, as its media services report it.
#pragma once

#include <cstdint>
#include <string_view>

namespace suite::media {

enum MediaType : std::int32_t {
  kNoMediaType = -1,     // empty path, no extension, or an extension the suite does not know
  kPhoto = 0,            // pictures a mail program shows inline: JPEG, PNG, GIF
  kPicture = 1,          // other still pictures the suite decodes: TIFF, WebP, HEIF, JPEG 2000, ...
  kVideo = 2,
  kAudio = 3,
  kSlideShow = 4,        // the suite's own slide-show document (".dmsp")
  kSlideShowVideo = 7,   // a slide show already rendered to Windows Media video (".wmvs")
};

// The media type of a path or a bare extension ("photo.JPG", ".jpg", "jpg"), case ignored.
std::int32_t media_type_of(std::string_view path_or_extension);
std::int32_t media_type_of(std::u16string_view path_or_extension);

bool is_still_picture(std::int32_t media_type);

}  // namespace suite::media
