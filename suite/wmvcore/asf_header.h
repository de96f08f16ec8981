// Walking the header object at the start of an ASF file: which top-level header objects it
// holds, with every size checked against the bytes actually read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/guiddef.h"

namespace wmvcore {

// Header object GUID and the fixed part that follows it: size, object count, two reserved bytes.
inline constexpr std::size_t kHeaderObjectFixedSize = 30;
// Every object starts with its GUID and a 64-bit size that counts these 24 bytes too.
inline constexpr std::size_t kObjectPreambleSize = 24;
// A header larger than this is not one the runtime would read; it is refused unread.
inline constexpr std::uint64_t kLargestHeader = 64ull * 1024 * 1024;

PLATFORM_DEFINE_GUID(ASF_Header_Object, "{75B22630-668E-11CF-A6D9-00AA0062CE6C}");
PLATFORM_DEFINE_GUID(ASF_Content_Encryption_Object, "{2211B3FB-BD23-11D2-B4B7-00A0C955FC6E}");
PLATFORM_DEFINE_GUID(ASF_Extended_Content_Encryption_Object, "{298AE614-2622-4C17-B935-DAE07EE9289C}");

enum class HeaderVerdict { kNotAsf, kMalformed, kParsed };

// The GUID stored little-endian in its first three fields, as ASF and COM write it.
GUID read_guid(const std::uint8_t* bytes);

// The size the header object claims, from its first 30 bytes; nothing when they are not an
// ASF header object.
HeaderVerdict header_size(std::span<const std::uint8_t> first_bytes, std::uint64_t* size);

// The GUIDs of the header objects inside a complete header object (`header` holds all of it).
HeaderVerdict header_objects(std::span<const std::uint8_t> header, std::vector<GUID>* objects);

}  // namespace wmvcore
