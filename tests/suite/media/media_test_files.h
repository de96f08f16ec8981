// Pictures made for the media tests with libvips in a folder of the test's own.
#pragma once

#include <gtest/gtest.h>
#include <vips/vips8>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "suite/media/vips_runtime.h"

namespace media_test {

inline std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_bytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Left half dark, right half light, so that turns can be told apart after a save.
inline vips::VImage two_tone(int width, int height, int bands = 3) {
  vips::VImage x = vips::VImage::xyz(width, height)[0];
  vips::VImage tone = (x < width / 2).ifthenelse(30, 220).cast(VIPS_FORMAT_UCHAR);
  vips::VImage out = tone;
  for (int b = 1; b < bands; ++b) out = out.bandjoin(tone);
  if (bands >= 3) out = out.copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
  return out;
}

// The sampling factors of a JPEG's components ("2x2 1x1 1x1" is 4:2:0 colour, "1x1" grey) and
// whether it carries EXIF or ICC data (APP1, APP2), read from its segments.
struct JpegLayout {
  std::string sampling;
  bool metadata = false;
};

inline JpegLayout jpeg_layout(const std::vector<std::uint8_t>& b) {
  JpegLayout out;
  for (std::size_t i = 2; i + 4 <= b.size() && b[i] == 0xFF;) {
    const std::uint8_t marker = b[i + 1];
    if (marker == 0xE1 || marker == 0xE2) out.metadata = true;
    if (marker >= 0xC0 && marker <= 0xC2 && i + 10 < b.size()) {
      for (std::size_t c = 0; c < b[i + 9] && i + 11 + 3 * c < b.size(); ++c) {
        const std::uint8_t f = b[i + 11 + 3 * c];
        out.sampling += (c ? " " : "") + std::to_string(f >> 4) + "x" + std::to_string(f & 15);
      }
    }
    if (marker == 0xDA) break;  // the pixels follow
    i += 2 + (static_cast<std::size_t>(b[i + 2]) << 8 | b[i + 3]);
  }
  return out;
}

inline std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

class MediaFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    suite::media::start_vips();
    folder_ = std::filesystem::temp_directory_path() /
              ("zozed_media_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      EXPECT_EQ(entry.path().filename().string().find(".partial-"), std::string::npos)
          << "left behind: " << entry.path();
    std::filesystem::remove_all(folder_);
  }

  std::string path(const std::string& name) const { return (folder_ / name).string(); }

  std::string save(const vips::VImage& image, const std::string& name) {
    image.write_to_file(path(name).c_str());
    return path(name);
  }

  // A valid PNG whose header is rewritten to claim `width` x `height`, CRC and all.
  std::string forged_png(const std::string& name, std::uint32_t width, std::uint32_t height) {
    auto bytes = read_bytes(save(two_tone(8, 8), name));
    // Signature (8), IHDR length (4), "IHDR" (4), then width and height big-endian.
    for (int i = 0; i < 4; ++i) {
      bytes[16 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
      bytes[20 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    const std::uint32_t crc = crc32(bytes.data() + 12, 17);
    for (int i = 0; i < 4; ++i) bytes[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    write_bytes(path(name), bytes);
    return path(name);
  }

  std::filesystem::path folder_;
};

}  // namespace media_test
