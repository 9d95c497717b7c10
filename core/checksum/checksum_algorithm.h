// The checksums a user can ask for: CRCs by their catalogue name or short alias,
// or by their parameters, the word-fed CRC of a microcontroller's CRC unit, and
// plain sums of the bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace larkspan {

// A CRC as the catalogue of parametrised CRC algorithms describes it: the width
// in bits (1 to 64), the polynomial without its top bit, the initial register,
// whether input bytes and the final register are reflected, and the value
// XORed into the result.
struct CrcParameters {
  int width = 32;
  std::uint64_t poly = 0;
  std::uint64_t init = 0;
  bool refin = false;
  bool refout = false;
  std::uint64_t xorout = 0;

  bool operator==(const CrcParameters&) const = default;
};

struct ChecksumAlgorithm {
  enum class Kind : std::uint8_t {
    Crc,    // a CRC over the bytes in address order
    Words,  // CRC-32/MPEG-2 over 32-bit words read little-endian, gaps filled
    Sum,    // the sum of the bytes modulo 2^width
  };

  std::string name;  // the catalogue name, the alias for the others
  Kind kind = Kind::Crc;
  CrcParameters parameters;  // of a sum: the width only

  // Bytes a stored value takes: width / 8, rounded up.
  int Bytes() const { return (parameters.width + 7) / 8; }
  // The highest value: width bits set.
  std::uint64_t Mask() const {
    return parameters.width == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << parameters.width) - 1;
  }
};

// The algorithms named in `text`, separated by commas: catalogue names and
// aliases in any case, and CRCs written as
// "width=N,poly=X,init=X,refin=B,refout=B,xorout=X" (hexadecimal with or without
// 0x, true or false). On failure `problem` names what was not understood.
struct ParsedAlgorithms {
  std::vector<ChecksumAlgorithm> algorithms;
  std::string problem;  // empty on success
};
ParsedAlgorithms ParseAlgorithms(std::string_view text);

// The named algorithms, in the order --help lists them.
const std::vector<ChecksumAlgorithm>& ChecksumCatalogue();

}  // namespace larkspan
