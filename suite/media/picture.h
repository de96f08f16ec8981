// A picture loaded lazily: loading reads the header, rotations and resizes are recorded, and
// the pixels are decoded once, when the picture is saved, at no more than the size wanted
// (a JPEG shrinks while it is decoded). Everything is released after each save.
//
// What is written: the mirror of the picture's own orientation tag applied (its turns are the
// caller's, through rotate), then the edits; no metadata. JPEG comes out as 8-bit sRGB with
// 4:2:0 chroma, or as 8-bit grey for a grey picture (a third of the bytes, and every mail
// program shows it); transparency is laid on white for formats without it and kept by the
// others. CMYK is converted to sRGB through its embedded profile, else a generic one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace suite::media {

// The largest picture the suite decodes; a header claiming more is refused before any pixel
// is read, so a forged header cannot make it allocate gigabytes.
inline constexpr std::int32_t kMaxPictureSide = 32767;
inline constexpr std::int64_t kMaxPicturePixels = 250'000'000;

// The JPEG quality of every picture the suite writes: small enough for mail, without visible
// blocking on photographs.
inline constexpr int kJpegQuality = 85;

class Picture {
 public:
  Picture();
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // The pixel layouts (PixelLayout values) the pixels may be handed over in; empty = as stored.
  void configure(std::vector<std::int32_t> accepted_layouts);

  // Reads the header of `path` (POSIX) and forgets earlier edits. Throws MediaError for a file
  // that cannot be read, is not a picture, or is larger than the suite decodes.
  void load(const std::string& path);
  bool is_loaded() const;

  // Quarter turns clockwise; negative turns go the other way.
  void rotate(int quarter_turns);
  // The size the picture will have, counted after the rotations so far.
  void resize(std::int32_t width, std::int32_t height);

  std::int32_t width() const;
  std::int32_t height() const;
  int bits_per_pixel() const;

  // Whether rotations or resizes were made since loading or since the last reset. Resetting
  // keeps the edits: it only says that the picture in hand is the one to keep.
  bool is_modified() const;
  void reset_modified();

  // Decodes, applies the edits and writes `path` in the format its extension names, then
  // releases the pixels and the header. The file appears whole or not at all. Throws
  // MediaError naming the picture and the reason.
  void save(const std::string& path);

  // Lets go of the header and every edit.
  void release();

 private:
  struct Loaded;
  std::vector<std::int32_t> accepted_;
  std::unique_ptr<Loaded> loaded_;
};

}  // namespace suite::media
