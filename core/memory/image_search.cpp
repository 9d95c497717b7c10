#include "memory/image_search.h"

#include <charconv>
#include <string>

#include "memory/image_bytes.h"
#include "records/hex_bytes.h"

namespace larkspan {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

bool HexPrefixed(std::string_view text) {
  return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

// For each length of a partial match, the length of the longest proper prefix of
// `pattern` that ends it: where a match goes on after a mismatch.
std::vector<std::size_t> Fallbacks(std::span<const std::uint8_t> pattern) {
  std::vector<std::size_t> fallback(pattern.size(), 0);
  for (std::size_t i = 1, k = 0; i < pattern.size(); ++i) {
    while (k > 0 && pattern[i] != pattern[k]) k = fallback[k - 1];
    if (pattern[i] == pattern[k]) ++k;
    fallback[i] = k;
  }
  return fallback;
}

std::optional<std::uint32_t> FindFrom(const MemoryImage& image,
                                      std::span<const std::uint8_t> pattern, std::uint64_t from) {
  const std::vector<std::size_t> fallback = Fallbacks(pattern);
  std::size_t matched = 0;
  std::uint64_t next = from;  // the address after the last byte seen
  std::optional<std::uint32_t> found;
  VisitData(image, from, UINT32_MAX, [&](std::uint64_t address, std::uint8_t byte) {
    if (address != next) matched = 0;  // a gap breaks a match
    next = address + 1;
    while (matched > 0 && pattern[matched] != byte) matched = fallback[matched - 1];
    if (pattern[matched] == byte) ++matched;
    if (matched < pattern.size()) return true;
    found = static_cast<std::uint32_t>(next - pattern.size());
    return false;
  });
  return found;
}

}  // namespace

std::optional<std::uint32_t> ParseAddress(std::string_view text) {
  text = Trimmed(text);
  if (HexPrefixed(text)) {
    text.remove_prefix(2);
  } else if (!text.empty() && (text.back() == 'h' || text.back() == 'H')) {
    text.remove_suffix(1);
  }
  std::uint32_t address = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), address, 16);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return {};
  return address;
}

std::optional<std::vector<std::uint8_t>> ParseBytes(std::string_view text) {
  std::string digits;
  for (const char c : text) {
    if (c != ' ' && c != '\t') digits.push_back(c);
  }
  std::vector<std::uint8_t> bytes(digits.size() / 2);
  if (digits.empty() || digits.size() % 2 != 0 ||
      DecodeHex(digits, bytes.data()) != digits.size()) {
    return {};
  }
  return bytes;
}

std::optional<std::uint32_t> FindBytes(const MemoryImage& image,
                                       std::span<const std::uint8_t> pattern, std::uint64_t from) {
  if (pattern.empty()) return {};
  const std::optional<std::uint32_t> found = FindFrom(image, pattern, from);
  return found || from == 0 ? found : FindFrom(image, pattern, 0);
}

}  // namespace larkspan
