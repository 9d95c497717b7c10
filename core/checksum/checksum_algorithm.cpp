#include "checksum/checksum_algorithm.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace larkspan {

namespace {

using Kind = ChecksumAlgorithm::Kind;

struct CatalogueEntry {
  std::string_view alias;
  ChecksumAlgorithm algorithm;
};

// Each CRC spelled out by its catalogue parameters.
const std::vector<CatalogueEntry>& Catalogue() {
  static const std::vector<CatalogueEntry> catalogue = {
      {"crc32",
       {"CRC-32/ISO-HDLC", Kind::Crc, {32, 0x04C11DB7, 0xFFFFFFFF, true, true, 0xFFFFFFFF}}},
      {"crc32-mpeg2", {"CRC-32/MPEG-2", Kind::Crc, {32, 0x04C11DB7, 0xFFFFFFFF, false, false, 0}}},
      {"crc32c", {"CRC-32/ISCSI", Kind::Crc, {32, 0x1EDC6F41, 0xFFFFFFFF, true, true, 0xFFFFFFFF}}},
      {"ccitt-false", {"CRC-16/IBM-3740", Kind::Crc, {16, 0x1021, 0xFFFF, false, false, 0}}},
      {"xmodem", {"CRC-16/XMODEM", Kind::Crc, {16, 0x1021, 0, false, false, 0}}},
      {"kermit", {"CRC-16/KERMIT", Kind::Crc, {16, 0x1021, 0, true, true, 0}}},
      {"modbus", {"CRC-16/MODBUS", Kind::Crc, {16, 0x8005, 0xFFFF, true, true, 0}}},
      {"arc", {"CRC-16/ARC", Kind::Crc, {16, 0x8005, 0, true, true, 0}}},
      {"stm32", {"stm32", Kind::Words, {32, 0x04C11DB7, 0xFFFFFFFF, false, false, 0}}},
      {"sum8", {"sum8", Kind::Sum, {8}}},
      {"sum16", {"sum16", Kind::Sum, {16}}},
      {"sum32", {"sum32", Kind::Sum, {32}}},
  };
  return catalogue;
}

bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::optional<ChecksumAlgorithm> FindNamed(std::string_view name) {
  for (const auto& [alias, algorithm] : Catalogue()) {
    if (SameText(name, alias) || SameText(name, algorithm.name)) return algorithm;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> Number(std::string_view text, int base) {
  if (base == 16 && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
  }
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<bool> Flag(std::string_view text) {
  if (SameText(text, "true")) return true;
  if (SameText(text, "false")) return false;
  return std::nullopt;
}

// Sets the parameter `key=value` of `crc`; false when it is not one or its value
// is not valid. The width comes first, so that values are checked against it.
bool SetParameter(std::string_view key, std::string_view value, CrcParameters& crc) {
  const std::uint64_t mask =
      crc.width == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << crc.width) - 1;
  if (key == "width") {
    const std::optional<std::uint64_t> width = Number(value, 10);
    if (!width || *width < 1 || *width > 64) return false;
    crc.width = static_cast<int>(*width);
    return true;
  }
  if (key == "refin" || key == "refout") {
    const std::optional<bool> flag = Flag(value);
    if (!flag) return false;
    (key == "refin" ? crc.refin : crc.refout) = *flag;
    return true;
  }
  std::uint64_t* field = key == "poly"     ? &crc.poly
                         : key == "init"   ? &crc.init
                         : key == "xorout" ? &crc.xorout
                                           : nullptr;
  const std::optional<std::uint64_t> number = Number(value, 16);
  if (field == nullptr || !number || (*number & ~mask) != 0) return false;
  *field = *number;
  return true;
}

// "width=N,poly=X,init=X,refin=B,refout=B,xorout=X": each once, width first.
ParsedAlgorithms Parameters(const std::vector<std::string_view>& fields) {
  constexpr std::string_view kKeys[] = {"width", "poly", "init", "refin", "refout", "xorout"};
  ChecksumAlgorithm algorithm{"custom", Kind::Crc, {}};
  unsigned seen = 0;
  std::string spelled;
  for (const std::string_view field : fields) {
    spelled += (spelled.empty() ? "" : ",") + std::string(field);
    const std::size_t equals = field.find('=');
    const std::string_view key = field.substr(0, equals);
    const auto known = std::find(std::begin(kKeys), std::end(kKeys), key);
    const unsigned bit = 1U << (known - std::begin(kKeys));
    if (known == std::end(kKeys) || (seen & bit) != 0 || (seen == 0 && key != "width") ||
        !SetParameter(key, field.substr(equals + 1), algorithm.parameters)) {
      return {{}, "invalid CRC parameter '" + std::string(field) + "'"};
    }
    seen |= bit;
  }
  if (seen != (1U << std::size(kKeys)) - 1) {
    return {{},
            "incomplete CRC parameters '" + spelled +
                "' (width=N,poly=X,init=X,refin=B,refout=B,xorout=X)"};
  }
  for (const auto& [alias, named] : Catalogue()) {
    if (named.kind == Kind::Crc && named.parameters == algorithm.parameters) return {{named}, {}};
  }
  return {{algorithm}, {}};
}

}  // namespace

ParsedAlgorithms ParseAlgorithms(std::string_view text) {
  ParsedAlgorithms parsed;
  std::vector<std::string_view> fields;  // of a CRC given by its parameters
  const auto endParameters = [&] {
    if (fields.empty()) return true;
    ParsedAlgorithms one = Parameters(fields);
    fields.clear();
    if (!one.problem.empty()) parsed.problem = one.problem;
    parsed.algorithms.insert(parsed.algorithms.end(), one.algorithms.begin(), one.algorithms.end());
    return one.problem.empty();
  };
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t comma = std::min(text.find(',', at), text.size());
    const std::string_view item = text.substr(at, comma - at);
    at = comma + 1;
    if (item.find('=') != std::string_view::npos) {
      if (item.starts_with("width=") && !endParameters()) return {{}, parsed.problem};
      fields.push_back(item);
      continue;
    }
    if (!endParameters()) return {{}, parsed.problem};
    const std::optional<ChecksumAlgorithm> named = FindNamed(item);
    if (!named) return {{}, "unknown checksum algorithm '" + std::string(item) + "'"};
    parsed.algorithms.push_back(*named);
  }
  if (!endParameters()) return {{}, parsed.problem};
  return parsed;
}

const std::vector<ChecksumAlgorithm>& ChecksumCatalogue() {
  static const std::vector<ChecksumAlgorithm> algorithms = [] {
    std::vector<ChecksumAlgorithm> list;
    for (const auto& [alias, algorithm] : Catalogue()) list.push_back(algorithm);
    return list;
  }();
  return algorithms;
}

}  // namespace larkspan
