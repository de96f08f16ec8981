#include "suite/wmvcore/asf_header.h"

namespace wmvcore {
namespace {

std::uint64_t read_u64(const std::uint8_t* p) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

std::uint32_t read_u32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

GUID read_guid(const std::uint8_t* bytes) {
  GUID g{};
  g.Data1 = read_u32(bytes);
  g.Data2 = static_cast<WORD>(bytes[4] | bytes[5] << 8);
  g.Data3 = static_cast<WORD>(bytes[6] | bytes[7] << 8);
  for (int i = 0; i < 8; ++i) g.Data4[i] = bytes[8 + i];
  return g;
}

HeaderVerdict header_size(std::span<const std::uint8_t> first_bytes, std::uint64_t* size) {
  *size = 0;
  if (first_bytes.size() < 16 || read_guid(first_bytes.data()) != ASF_Header_Object) return HeaderVerdict::kNotAsf;
  if (first_bytes.size() < kHeaderObjectFixedSize) return HeaderVerdict::kMalformed;
  const std::uint64_t claimed = read_u64(first_bytes.data() + 16);
  if (claimed < kHeaderObjectFixedSize || claimed > kLargestHeader) return HeaderVerdict::kMalformed;
  *size = claimed;
  return HeaderVerdict::kParsed;
}

HeaderVerdict header_objects(std::span<const std::uint8_t> header, std::vector<GUID>* objects) {
  objects->clear();
  std::uint64_t size = 0;
  const HeaderVerdict verdict = header_size(header, &size);
  if (verdict != HeaderVerdict::kParsed) return verdict;
  if (header.size() < size) return HeaderVerdict::kMalformed;
  const std::uint32_t count = read_u32(header.data() + 24);
  std::size_t offset = kHeaderObjectFixedSize;
  const std::size_t end = static_cast<std::size_t>(size);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (end - offset < kObjectPreambleSize) return HeaderVerdict::kMalformed;
    const std::uint64_t object_size = read_u64(header.data() + offset + 16);
    if (object_size < kObjectPreambleSize || object_size > end - offset) return HeaderVerdict::kMalformed;
    objects->push_back(read_guid(header.data() + offset));
    offset += static_cast<std::size_t>(object_size);
  }
  return HeaderVerdict::kParsed;
}

}  // namespace wmvcore
