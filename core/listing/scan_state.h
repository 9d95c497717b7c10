// The address trackers of a listing: lowest and highest values, with the
// zero-based line where each was met.
#pragma once

#include <cstdint>

namespace larkspan {

// A value and the zero-based line where it was met.
struct Mark {
  std::int64_t Value = 0;
  std::int64_t Line = 0;
};

// The lowest and highest of a series of values. The first value met sets both
// ends; later values replace an end only when strictly beyond it, so for equal
// values the earliest line wins.
struct Span {
  bool Used = false;
  Mark First;
  Mark Last;

  void Note(std::int64_t value, std::int64_t line) {
    if (!Used) {
      Used = true;
      First = Last = Mark{value, line};
      return;
    }
    if (value < First.Value) First = Mark{value, line};
    if (value > Last.Value) Last = Mark{value, line};
  }
};

struct ScanState {
  Span Address;   // load offsets of the data records
  Span Extended;  // extended segment addresses (segment x 16)
  Span Linear;    // extended linear addresses (upper word x 65536)
};

}  // namespace larkspan
