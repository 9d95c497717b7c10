#include "checksum/checksum_engine.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <boost/crc.hpp>
#include <utility>

namespace larkspan {

namespace {

using Kind = ChecksumAlgorithm::Kind;

// A CRC with its parameters fixed when compiled: a table per byte.
template <int Width, std::uint64_t Poly, std::uint64_t Init, bool RefIn, bool RefOut,
          std::uint64_t XorOut>
class OptimalCrc final : public ChecksumEngine {
 public:
  static constexpr CrcParameters kParameters{Width, Poly, Init, RefIn, RefOut, XorOut};
  void Update(std::span<const std::uint8_t> bytes) override {
    crc_.process_bytes(bytes.data(), bytes.size());
  }
  std::uint64_t Value() const override { return crc_.checksum(); }

 private:
  boost::crc_optimal<Width, Poly, Init, XorOut, RefIn, RefOut> crc_;
};

// CRC-32/ISO-HDLC by zlib, which reads several bytes at a time: several times as
// fast as the table per byte.
class ZlibCrc32 final : public ChecksumEngine {
 public:
  void Update(std::span<const std::uint8_t> bytes) override {
    while (!bytes.empty()) {
      const std::size_t part = std::min<std::size_t>(bytes.size(), 1U << 30);
      crc_ = crc32_z(crc_, bytes.data(), part);
      bytes = bytes.subspan(part);
    }
  }
  std::uint64_t Value() const override { return crc_; }

 private:
  uLong crc_ = crc32_z(0, nullptr, 0);
};

// Any other CRC, bit by bit.
template <int Width>
class BasicCrc final : public ChecksumEngine {
 public:
  using Value_t = typename boost::crc_basic<Width>::value_type;
  explicit BasicCrc(const CrcParameters& p)
      : crc_(static_cast<Value_t>(p.poly), static_cast<Value_t>(p.init),
             static_cast<Value_t>(p.xorout), p.refin, p.refout) {}
  void Update(std::span<const std::uint8_t> bytes) override {
    crc_.process_bytes(bytes.data(), bytes.size());
  }
  std::uint64_t Value() const override { return crc_.checksum(); }

 private:
  boost::crc_basic<Width> crc_;
};

template <int... Widths>
std::unique_ptr<ChecksumEngine> MakeBasic(const CrcParameters& p,
                                          std::integer_sequence<int, Widths...>) {
  using Make = std::unique_ptr<ChecksumEngine> (*)(const CrcParameters&);
  static constexpr std::array<Make, sizeof...(Widths)> kMakers = {
      [](const CrcParameters& q) -> std::unique_ptr<ChecksumEngine> {
        return std::make_unique<BasicCrc<Widths + 1>>(q);
      }...};
  return kMakers[static_cast<std::size_t>(p.width - 1)](p);
}

// The CRC-32/MPEG-2 of 32-bit words read little-endian: each group of four bytes
// fed most significant byte first.
class WordCrc final : public ChecksumEngine {
 public:
  void Update(std::span<const std::uint8_t> bytes) override {
    while (!bytes.empty()) {
      const std::size_t part = std::min(bytes.size(), buffer_.size() - held_);
      std::copy_n(bytes.begin(), part, buffer_.begin() + held_);
      held_ += part;
      bytes = bytes.subspan(part);
      const std::size_t whole = held_ & ~std::size_t{3};
      for (std::size_t i = 0; i < whole; i += 4) {
        std::swap(buffer_[i], buffer_[i + 3]);
        std::swap(buffer_[i + 1], buffer_[i + 2]);
      }
      crc_.process_bytes(buffer_.data(), whole);
      std::copy(buffer_.begin() + whole, buffer_.begin() + held_, buffer_.begin());
      held_ -= whole;
    }
  }
  std::uint64_t Value() const override { return crc_.checksum(); }

 private:
  boost::crc_optimal<32, 0x04C11DB7, 0xFFFFFFFF, 0, false, false> crc_;
  std::array<std::uint8_t, 4096> buffer_{};
  std::size_t held_ = 0;
};

// The sum of the bytes, modulo 2^Width.
template <class Sum>
class ByteSum final : public ChecksumEngine {
 public:
  void Update(std::span<const std::uint8_t> bytes) override {
    std::uint64_t sum = 0;  // no overflow below 2^56 bytes
    for (const std::uint8_t byte : bytes) sum += byte;
    sum_ = static_cast<Sum>(sum_ + sum);
  }
  std::uint64_t Value() const override { return sum_; }

 private:
  Sum sum_ = 0;
};

using Crc32Mpeg2 = OptimalCrc<32, 0x04C11DB7, 0xFFFFFFFF, false, false, 0>;
using Crc32Iscsi = OptimalCrc<32, 0x1EDC6F41, 0xFFFFFFFF, true, true, 0xFFFFFFFF>;
using Crc16Ibm3740 = OptimalCrc<16, 0x1021, 0xFFFF, false, false, 0>;
using Crc16Xmodem = OptimalCrc<16, 0x1021, 0, false, false, 0>;
using Crc16Kermit = OptimalCrc<16, 0x1021, 0, true, true, 0>;
using Crc16Modbus = OptimalCrc<16, 0x8005, 0xFFFF, true, true, 0>;
using Crc16Arc = OptimalCrc<16, 0x8005, 0, true, true, 0>;

template <class Engine, class... Others>
std::unique_ptr<ChecksumEngine> MakeCrc(const CrcParameters& p) {
  if (p == Engine::kParameters) return std::make_unique<Engine>();
  if constexpr (sizeof...(Others) > 0) {
    return MakeCrc<Others...>(p);
  } else {
    return MakeBasic(p, std::make_integer_sequence<int, 64>());
  }
}

}  // namespace

std::unique_ptr<ChecksumEngine> MakeEngine(const ChecksumAlgorithm& algorithm) {
  const CrcParameters& p = algorithm.parameters;
  switch (algorithm.kind) {
    case Kind::Words:
      return std::make_unique<WordCrc>();
    case Kind::Sum:
      if (p.width == 8) return std::make_unique<ByteSum<std::uint8_t>>();
      if (p.width == 16) return std::make_unique<ByteSum<std::uint16_t>>();
      return std::make_unique<ByteSum<std::uint32_t>>();
    case Kind::Crc:
      break;
  }
  if (p == CrcParameters{32, 0x04C11DB7, 0xFFFFFFFF, true, true, 0xFFFFFFFF}) {
    return std::make_unique<ZlibCrc32>();
  }
  return MakeCrc<Crc32Mpeg2, Crc32Iscsi, Crc16Ibm3740, Crc16Xmodem, Crc16Kermit, Crc16Modbus,
                 Crc16Arc>(p);
}

}  // namespace larkspan
