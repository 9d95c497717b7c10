// Where the data bytes of a record land in memory.
//
// A data byte at offset o + i of a record lands at:
// - before any type 02 or 04 record: o + i;
// - after a type 02 record with segment S: S x 16 + ((o + i) mod 65536), as the
//   offset wraps inside the segment;
// - after a type 04 record with upper word U: (U x 65536 + o + i) mod 2^32.
// Each type 02 or 04 record replaces the base in force.
#pragma once

#include <cstdint>

#include "records/record_format.h"

namespace larkspan {

struct Base {
  enum Kind : std::uint8_t { kNone, kSegment, kLinear };
  Kind kind = kNone;
  std::uint16_t value = 0;  // the segment, or the upper word of the address
  std::int64_t line = -1;   // the record that set it
};

// The address of `offset` inside `segment`.
inline std::uint32_t SegmentAddress(std::uint16_t segment, std::uint32_t offset) {
  return std::uint32_t{segment} * format::kParagraphBytes + offset % format::kOffsetSpan;
}

inline std::uint32_t AddressOf(const Base& base, std::uint32_t offset) {
  switch (base.kind) {
    case Base::kSegment:
      return SegmentAddress(base.value, offset);
    case Base::kLinear:
      return std::uint32_t{base.value} * format::kUpperWordUnit + offset;  // wraps modulo 2^32
    case Base::kNone:
      break;
  }
  return offset;
}

// The start address of a type 03 (CS:IP) or type 05 (EIP) record, or of an
// S-record termination record, which is a linear address as EIP is.
struct Entry {
  bool linear = false;
  std::uint32_t value = 0;  // CS in the upper and IP in the lower word, or EIP
  std::int64_t line = 0;

  std::uint32_t Address() const {
    return linear ? value : SegmentAddress(static_cast<std::uint16_t>(value >> 16), value);
  }
};

}  // namespace larkspan
