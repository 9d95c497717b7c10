// Where listing lines go, and the lines that the listings of both formats write
// the same way: data records and the summary of the lowest and highest addresses.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "listing/listing_texts.h"
#include "listing/scan_state.h"

namespace larkspan {

// Where the listing lines go: the window's list or the console.
class ListingOutput {
 public:
  virtual ~ListingOutput() = default;
  // Appends an entry at the end of the list: every listing line goes through
  // here. `text` begins with the prefix of its `kind`; `line` is the line of the
  // record it stands for, -1 for the separator and the summary. Listing texts are
  // 8-bit: one byte is one character (Latin-1), as read from the file.
  virtual void AddToList(std::string_view text, LineKind kind, std::int64_t line) = 0;
};

// Copies the `n` characters of a field with moves of 16 bytes, the last one
// overlapping the one before, and fewer bytes only for a short field: as quick as
// a fixed-size copy, where a copy of unknown size would start a slow string move.
inline void CopyField(char* to, const char* from, std::size_t n) {
  constexpr std::size_t kMove = 16;
  if (n >= kMove) {
    for (std::size_t i = 0; i + kMove < n; i += kMove) std::memcpy(to + i, from + i, kMove);
    std::memcpy(to + n - kMove, from + n - kMove, kMove);
    return;
  }
  for (; n != 0; --n) *to++ = *from++;
}

// A data record's line, "Data record: AAAAh: DD...", with the address's digits and
// the data's as they stand in the file: the most common line, built in place.
inline constexpr std::string_view kDataLineHead = PrefixOf(LineKind::kData);
inline constexpr std::string_view kDataLineSuffix = "h: ";
// The characters of a data record's line besides its address and data.
inline constexpr std::size_t kDataLineFrame = kDataLineHead.size() + kDataLineSuffix.size();

// Writes the line of a data record whose address has `kAddressDigits` characters
// at `address` into `line`, which holds kDataLineFrame + kAddressDigits +
// data.size() characters, and returns the line.
template <std::size_t kAddressDigits>
std::string_view PutDataLine(char* line, const char* address, std::string_view data) {
  constexpr std::size_t kSuffixAt = kDataLineHead.size() + kAddressDigits;
  constexpr std::size_t kDataAt = kSuffixAt + kDataLineSuffix.size();
  std::memcpy(line, kDataLineHead.data(), kDataLineHead.size());
  std::memcpy(line + kDataLineHead.size(), address, kAddressDigits);
  std::memcpy(line + kSuffixAt, kDataLineSuffix.data(), kDataLineSuffix.size());
  CopyField(line + kDataAt, data.data(), data.size());
  return std::string_view(line, kDataAt + data.size());
}

// The separator that ends the record lines.
void AddSeparator(ListingOutput& output);

// "First NAMEXh in line: N" and "Last NAMEXh in line: N", when a value was met,
// built in `text`.
void AddSpan(ListingOutput& output, std::string& text, std::string_view name, const Span& span);

}  // namespace larkspan
