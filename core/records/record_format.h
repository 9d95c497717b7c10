// The layout of an Intel HEX record line, its record types, and the one table
// of hexadecimal digits that every part of the scan reads digits with.
//
// A record, after all spaces are removed from its line:
//
//   :CCOOOOTTDD...DDSS
//   ^ start code (index 0)
//    ^^ byte count (index 1, 2 digits)
//      ^^^^ load offset (index 3, 4 digits)
//          ^^ record type (index 7, 2 digits)
//            ^^...^^ data, two digits per byte (index 9)
//                   ^^ checksum: the bytes from the count on sum to 0 (mod 256)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace larkspan::format {

inline constexpr char kStartCode = ':';
inline constexpr std::size_t kCountIndex = 1, kCountWidth = 2;
inline constexpr std::size_t kOffsetIndex = 3, kOffsetWidth = 4;
inline constexpr std::size_t kTypeIndex = 7, kTypeWidth = 2;
inline constexpr std::size_t kDataIndex = 9;
// Start code, byte count, offset and type, then the checksum: every character of
// a record but its data.
inline constexpr std::size_t kFrameCharacters = kDataIndex + 2;
inline constexpr std::size_t kMaxDataBytes = 255;
// The longest record: 255 data bytes and the checksum.
inline constexpr std::size_t kLongestRecord = kFrameCharacters + 2 * kMaxDataBytes;
// The bytes the header's digits spell before the data: count, offset (2), type.
inline constexpr std::size_t kHeaderBytes = (kDataIndex - kCountIndex) / 2;

// Type 02: the segment (4 digits at the data index); type 03: the start address as
// CS (4 digits) and IP, high byte and low byte (2 digits each); type 04: the upper
// word of the address (4 digits); type 05: the start address EIP (8 digits).
inline constexpr std::size_t kSegmentWidth = 4;
inline constexpr std::size_t kStartIpHighIndex = 13, kStartIpLowIndex = 15, kStartIpWidth = 2;
inline constexpr std::size_t kUpperWordWidth = 4;
inline constexpr std::size_t kEipWidth = 8;
// The data bytes of a base record (types 02 and 04) and of a start address record
// (types 03 and 05).
inline constexpr std::size_t kBaseBytes = kSegmentWidth / 2;
inline constexpr std::size_t kStartBytes = kEipWidth / 2;

// A segment (type 02, and CS of type 03) counts in paragraphs of 16 bytes, and an
// offset spans 64 KiB inside it; an upper word (type 04) counts in 64 KiB.
inline constexpr std::uint32_t kParagraphBytes = 16;
inline constexpr std::uint32_t kOffsetSpan = 0x10000;
inline constexpr std::uint32_t kUpperWordUnit = 0x10000;

enum RecordType : std::uint8_t {
  kData = 0,
  kEnd = 1,
  kExtendedSegment = 2,
  kStartSegment = 3,
  kExtendedLinear = 4,
  kStartLinear = 5,
};

inline constexpr bool SetsBase(std::uint8_t type) {
  return type == kExtendedSegment || type == kExtendedLinear;
}
inline constexpr bool GivesStart(std::uint8_t type) {
  return type == kStartSegment || type == kStartLinear;
}
// Types 02 to 05, whose data are a base or a start address.
inline constexpr bool CarriesAddress(std::uint8_t type) {
  return type >= kExtendedSegment && type <= kStartLinear;
}

// The names of the types above, by type.
inline constexpr const char* kTypeNames[] = {"data",
                                             "end",
                                             "extended segment address",
                                             "start segment address",
                                             "extended linear address",
                                             "start linear address"};

// Value of every 8-bit character as a hexadecimal digit, kNotHex for a character
// that is none, so that one OR over many values tells whether all were digits.
inline constexpr std::uint32_t kNotHex = 0x100;
inline constexpr std::array<std::uint32_t, 256> kNibbles = [] {
  std::array<std::uint32_t, 256> nibbles{};
  for (int c = 0; c < 256; ++c) {
    if (c >= '0' && c <= '9') {
      nibbles[c] = static_cast<std::uint32_t>(c - '0');
    } else if ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) {
      nibbles[c] = static_cast<std::uint32_t>((c & 0x7) + 9);
    } else {
      nibbles[c] = kNotHex;
    }
  }
  return nibbles;
}();

inline std::uint32_t Nibble(char c) {
  return kNibbles[static_cast<unsigned char>(c)];
}

inline bool IsHexDigit(char c) {
  return Nibble(c) != kNotHex;
}

// True when `field` holds exactly `width` characters, all hexadecimal digits.
inline bool IsHexField(std::string_view field, std::size_t width) {
  std::uint32_t digits = 0;
  for (char c : field) digits |= Nibble(c);
  return field.size() == width && (digits & kNotHex) == 0;
}

// The `width` characters from 0-based `index`: a start beyond the end gives an
// empty text, and a field running past the end the characters that are there.
inline std::string_view Field(std::string_view line, std::size_t index, std::size_t width) {
  return index > line.size() ? std::string_view() : line.substr(index, width);
}

}  // namespace larkspan::format
