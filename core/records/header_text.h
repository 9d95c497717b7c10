// The text of an S-record header (S0): its data bytes as a quoted string, so that
// any bytes show safely in a listing line, a message or a JSON string.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "records/number_text.h"

namespace larkspan {

// Printable ASCII (20h to 7Eh) as it is, every other byte, and the backslash
// itself, as `\xNN`.
inline std::string HeaderText(std::span<const std::uint8_t> data) {
  std::string text;
  text.reserve(data.size());
  for (const std::uint8_t byte : data) {
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      text.push_back(static_cast<char>(byte));
    } else {
      text.append("\\x");
      AppendHex(text, byte, 2);
    }
  }
  return text;
}

}  // namespace larkspan
