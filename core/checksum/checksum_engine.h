// The engines that compute a checksum over bytes fed to them in pieces.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "checksum/checksum_algorithm.h"

namespace larkspan {

class ChecksumEngine {
 public:
  virtual ~ChecksumEngine() = default;
  // Feeds the next bytes, in order.
  virtual void Update(std::span<const std::uint8_t> bytes) = 0;
  // The checksum of the bytes fed so far. For a word-fed CRC the bytes of a
  // final partial word are left out: the caller pads the last word.
  virtual std::uint64_t Value() const = 0;
};

// An engine for `algorithm`, which starts with no bytes fed.
std::unique_ptr<ChecksumEngine> MakeEngine(const ChecksumAlgorithm& algorithm);

}  // namespace larkspan
