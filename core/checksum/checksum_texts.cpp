#include "checksum/checksum_texts.h"

#include "memory/map_summary.h"
#include "records/number_text.h"

namespace larkspan {

namespace {

using Kind = ChecksumAlgorithm::Kind;

std::string Hex(const CrcParameters& p, std::uint64_t value) {
  std::string text;
  AppendHex(text, value, (p.width + 3) / 4);
  return text;
}

const char* Flag(bool flag) {
  return flag ? "true" : "false";
}

std::string CrcParametersText(const CrcParameters& p) {
  return "width=" + std::to_string(p.width) + " poly=" + Hex(p, p.poly) +
         " init=" + Hex(p, p.init) + " refin=" + Flag(p.refin) + " refout=" + Flag(p.refout) +
         " xorout=" + Hex(p, p.xorout);
}

std::string Labelled(const char* label, const std::string& text) {
  std::string line = "  ";
  line += label;
  line.resize(20, ' ');
  return line + text;
}

std::string RangeText(const ChecksumResult& r) {
  if (!r.range) return "none: no data";
  return AddressText(r.range->first) + " to " + AddressText(r.range->last) + ", " +
         LengthText(r.bytes) + " bytes with data, " + LengthText(r.gaps) + " gap bytes";
}

std::string GapRuleText(const ChecksumResult& r) {
  if (r.gaps == 0) return "";
  if (!r.fill) return " (the bytes with data only)";
  std::string text = " (gaps as ";
  AppendHex(text, *r.fill, 2);
  return text + ")";
}

// "CBF43926 NOTE, stored as 26 39 F4 CB (little-endian), CB F4 39 26 (big-endian)".
std::string ValueAndBytes(const ChecksumAlgorithm& a, std::uint64_t value,
                          const std::string& note) {
  return ValueText(a, value) + note + ", stored as " + StoredBytesText(a, value, true) +
         " (little-endian), " + StoredBytesText(a, value, false) + " (big-endian)";
}

std::string StoredText(const ChecksumResult& r) {
  const StoredChecksum& s = *r.stored;
  const ChecksumAlgorithm& a = r.algorithm;
  const std::string at = "at " + AddressText(s.address) + ": ";
  if (!s.readable) {
    return at + "not all of its " + std::to_string(a.Bytes()) + " bytes hold data: no match";
  }
  const std::string bytes = StoredBytesText(a, s.bigEndian, false);
  if (s.matchesLittleEndian && s.matchesBigEndian)
    return at + bytes + ": matches in both byte orders";
  if (s.Matches()) {
    return at + bytes + ": matches as " + (s.matchesLittleEndian ? "little" : "big") + "-endian";
  }
  std::string text = at + bytes + ": no match (little-endian " + ValueText(a, s.littleEndian) +
                     ", big-endian " + ValueText(a, s.bigEndian) + ")";
  const std::optional<std::uint64_t> filled = r.valueWithGapsAsFF;
  if (filled && (*filled == s.littleEndian || *filled == s.bigEndian)) {
    text += "; the value with the gaps as FF matches";
  }
  return text;
}

}  // namespace

std::string ParametersText(const ChecksumAlgorithm& algorithm) {
  switch (algorithm.kind) {
    case Kind::Crc:
      return CrcParametersText(algorithm.parameters);
    case Kind::Words:
      return "CRC-32/MPEG-2 (" + CrcParametersText(algorithm.parameters) +
             ") fed 32-bit words read little-endian";
    case Kind::Sum:
      break;
  }
  return "the sum of the bytes modulo 2^" + std::to_string(algorithm.parameters.width);
}

std::string ValueText(const ChecksumAlgorithm& algorithm, std::uint64_t value) {
  return Hex(algorithm.parameters, value);
}

std::string StoredBytesText(const ChecksumAlgorithm& algorithm, std::uint64_t value,
                            bool littleEndian) {
  std::string text;
  const int bytes = algorithm.Bytes();
  for (int i = 0; i < bytes; ++i) {
    const int shift = 8 * (littleEndian ? i : bytes - 1 - i);
    if (i > 0) text.push_back(' ');
    AppendHex(text, (value >> shift) & 0xFF, 2);
  }
  return text;
}

std::vector<std::string> ChecksumLines(const ChecksumResult& result) {
  const ChecksumAlgorithm& a = result.algorithm;
  std::vector<std::string> lines = {
      a.name + ": " + ParametersText(a), Labelled("range:", RangeText(result)),
      Labelled("value:", ValueAndBytes(a, result.value, GapRuleText(result)))};
  if (result.valueWithGapsAsFF) {
    lines.push_back(Labelled("gaps as FF:", ValueAndBytes(a, *result.valueWithGapsAsFF, "")));
  }
  if (result.stored) lines.push_back(Labelled("stored:", StoredText(result)));
  return lines;
}

std::string PaddingWarningText(const ChecksumResult& result) {
  if (result.padding == 0) return "";
  std::string fill;
  AppendHex(fill, result.fill.value_or(kErasedByte), 2);
  return result.algorithm.name +
         ": the range is not whole 32-bit words: its last word padded with " +
         std::to_string(result.padding) + (result.padding == 1 ? " byte " : " bytes ") + fill;
}

}  // namespace larkspan
