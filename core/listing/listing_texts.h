// The kinds of listing line and the fixed beginnings of those that stand for
// records.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace larkspan {

enum class LineKind : std::uint8_t {
  kPlain,  // end record, separator and summary lines
  kData,
  kExtendedAddress,
  kStartRecord,
  kExtendedLinear,
  kStartLinear,
  kHeader,        // S-record header (S0)
  kRecordCount,   // S-record count (S5, S6)
  kStartAddress,  // S-record start address (S7, S8, S9)
};

// The beginning of each kind of line, by LineKind.
inline constexpr std::array<std::string_view, 9> kLinePrefixes = {"",
                                                                  "Data record: ",
                                                                  "Extended address: ",
                                                                  "Start record: ",
                                                                  "Extended linear address: ",
                                                                  "Start linear address: ",
                                                                  "Header: ",
                                                                  "Record count: ",
                                                                  "Start address: "};

inline constexpr std::string_view PrefixOf(LineKind kind) {
  return kLinePrefixes[static_cast<std::size_t>(kind)];
}

inline constexpr std::string_view kSeparator = " - - - - - - - - ";

}  // namespace larkspan
