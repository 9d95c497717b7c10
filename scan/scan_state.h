// What one scan run tracks while it reads a file.
#pragma once

#include <cstdint>

namespace larkspan {

// A value and the zero-based line where it was met.
struct Mark {
  std::int32_t Value = 0;
  std::int64_t Line = 0;
};

struct ScanState {
  // Number of lines read before the current one: the zero-based line number.
  std::int64_t LineIndex = 0;

  // Lowest and highest load offset of the data records.
  bool AddressUsed = false;  // at least one data record was met
  Mark FirstAddress;
  Mark LastAddress;

  // Lowest and highest extended segment address (segment x 16).
  bool ExtendedUsed = false;  // at least one extended segment address record was met
  Mark FirstExtended;
  Mark LastExtended;

  void NoteAddress(std::int32_t offset) { Note(AddressUsed, FirstAddress, LastAddress, offset); }
  void NoteExtended(std::int32_t value) { Note(ExtendedUsed, FirstExtended, LastExtended, value); }

 private:
  // The first value met sets both ends; later values replace an end only when
  // strictly beyond it, so for equal values the earliest line wins.
  void Note(bool& used, Mark& first, Mark& last, std::int32_t value) const {
    if (!used) {
      used = true;
      first = last = Mark{value, LineIndex};
      return;
    }
    if (value < first.Value) first = Mark{value, LineIndex};
    if (value > last.Value) last = Mark{value, LineIndex};
  }
};

}  // namespace larkspan
