// The texts of a checksum that more than one front end shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "checksum/image_checksum.h"

namespace larkspan {

// "width=32 poly=04C11DB7 init=FFFFFFFF refin=true refout=true xorout=FFFFFFFF";
// for the word-fed CRC the CRC it is and how it reads the words; for a sum what
// it adds up.
std::string ParametersText(const ChecksumAlgorithm& algorithm);

// The value in upper-case hexadecimal, as many digits as its width takes.
std::string ValueText(const ChecksumAlgorithm& algorithm, std::uint64_t value);

// The bytes `value` is stored as: "26 39 F4 CB" (little-endian) or "CB F4 39 26".
std::string StoredBytesText(const ChecksumAlgorithm& algorithm, std::uint64_t value,
                            bool littleEndian);

// The result as lines: the algorithm and its parameters, the range with its
// bytes and gaps, the value and its bytes, the value with the gaps as FF, and the
// stored value with which byte order matches.
std::vector<std::string> ChecksumLines(const ChecksumResult& result);

// Of a word-fed CRC whose range is not whole words: that the last word was
// padded, and with what; empty otherwise.
std::string PaddingWarningText(const ChecksumResult& result);

}  // namespace larkspan
