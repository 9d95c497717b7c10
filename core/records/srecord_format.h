// The layout of an S-record line and its record types.
//
// A record, after all spaces are removed from its line:
//
//   STCCAAAA...AADD...DDSS
//   ^ start code 'S' (index 0)
//    ^ record type, one decimal digit (index 1)
//     ^^ byte count: the bytes of address, data and checksum (index 2)
//       ^^^^...^^ address, 2, 3 or 4 bytes as the type has (index 4)
//                ^^...^^ data, two digits per byte
//                       ^^ checksum: the ones' complement of the low byte of
//                          the sum of the count, address and data bytes
//
// S0: header (address 0000, data: free text); S1, S2, S3: data at 16-, 24- and
// 32-bit addresses; S4: reserved; S5, S6: the number of S1/S2/S3 records so far,
// in the address field (16 and 24 bits); S7, S8, S9: the start address (32, 24
// and 16 bits), which ends the file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace larkspan::srec {

inline constexpr char kStartCode = 'S';
inline constexpr std::size_t kTypeIndex = 1;
inline constexpr std::size_t kCountIndex = 2;
// The first character the byte count's bytes are decoded from.
inline constexpr std::size_t kBytesIndex = kCountIndex;
// Start code, type, byte count and checksum: every character but address and data.
inline constexpr std::size_t kFrameCharacters = 6;
inline constexpr std::size_t kMaxCount = 255;
// The longest record: a byte count of 255.
inline constexpr std::size_t kLongestRecord = 4 + 2 * kMaxCount;
inline constexpr std::size_t kTypes = 10;

enum Type : std::uint8_t {
  kHeader = 0,
  kData16 = 1,
  kData24 = 2,
  kData32 = 3,
  kReserved = 4,
  kCount16 = 5,
  kCount24 = 6,
  kStart32 = 7,
  kStart24 = 8,
  kStart16 = 9,
};

// The bytes of each type's address field; 0 for the reserved type.
inline constexpr std::array<std::size_t, kTypes> kAddressBytes = {2, 2, 3, 4, 0, 2, 3, 4, 3, 2};

inline constexpr bool IsDefined(std::uint8_t type) {
  return type < kTypes && type != kReserved;
}
inline constexpr bool IsData(std::uint8_t type) {
  return type >= kData16 && type <= kData32;
}
inline constexpr bool IsCount(std::uint8_t type) {
  return type == kCount16 || type == kCount24;
}
inline constexpr bool IsTermination(std::uint8_t type) {
  return type >= kStart32 && type <= kStart16;
}
// The address space of an address of `bytes` bytes: 2^(8 x bytes).
inline constexpr std::uint64_t AddressSpace(std::size_t bytes) {
  return std::uint64_t{1} << (8 * bytes);
}

// "S1": a record type as it is written.
inline constexpr std::array<std::string_view, kTypes> kTypeTexts = {"S0", "S1", "S2", "S3", "S4",
                                                                    "S5", "S6", "S7", "S8", "S9"};
// The names of the defined types, by type; empty for the reserved one.
inline constexpr std::array<std::string_view, kTypes> kTypeNames = {
    "header",       "16-bit data",  "24-bit data",  "32-bit data",  "",
    "16-bit count", "24-bit count", "32-bit start", "24-bit start", "16-bit start"};

}  // namespace larkspan::srec
