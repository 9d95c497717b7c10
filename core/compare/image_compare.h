// What two memory images hold differently: the runs of addresses where the data
// differ, with the lines that wrote them, and whether the entry points agree.
// Each image is taken as a loader sees it: of bytes written twice, the later.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "memory/memory_image.h"
#include "records/addresses.h"

namespace larkspan {

struct CompareOptions {
  std::uint32_t first = 0;  // the addresses compared, inclusive
  std::uint32_t last = 0xFFFFFFFF;
  // A byte with data on one side only counts as equal when it holds this value
  // (erased flash reads FF).
  std::optional<std::uint8_t> fill;
};

class ImageCompare {
 public:
  enum class Kind : std::uint8_t { Changed, OnlyInFirst, OnlyInSecond };

  // A maximal run of consecutive addresses of one kind.
  struct Difference {
    Kind kind = Kind::Changed;
    std::uint32_t first = 0;
    std::uint32_t last = 0;

    std::uint64_t Length() const { return std::uint64_t{last} - first + 1; }
  };

  struct Totals {
    std::uint64_t firstBytes = 0;   // addresses with data in the first image, in range
    std::uint64_t secondBytes = 0;  // and in the second
    std::uint64_t changed = 0;      // bytes of each kind of difference
    std::uint64_t onlyInFirst = 0;
    std::uint64_t onlyInSecond = 0;
    std::uint64_t filled = 0;  // bytes on one side only that matched the fill
    std::uint64_t bytes = 0;   // addresses with data on either side
    std::size_t ranges = 0;    // ranges of addresses with data on either side

    std::uint64_t Differing() const { return changed + onlyInFirst + onlyInSecond; }
  };

  // Both images and entry lists stay alive and unchanged as long as the compare.
  ImageCompare(const MemoryImage& first, const std::vector<Entry>& firstEntries,
               const MemoryImage& second, const std::vector<Entry>& secondEntries,
               const CompareOptions& options);

  const std::vector<Difference>& Differences() const { return differences_; }
  const Totals& Total() const { return totals_; }
  const CompareOptions& Options() const { return options_; }
  // True when the start addresses of both files are the same, in the same order.
  bool SameEntries() const { return sameEntries_; }
  bool Identical() const { return differences_.empty() && sameEntries_; }
  const std::vector<Entry>& FirstEntries() const { return firstEntries_; }
  const std::vector<Entry>& SecondEntries() const { return secondEntries_; }
  const MemoryImage& First() const { return first_; }
  const MemoryImage& Second() const { return second_; }

  // The index of the first difference that ends at or after `address`, or of the
  // one after the last when none does.
  std::size_t DifferenceAtOrAfter(std::uint32_t address) const;

 private:
  class Walk;
  void Note(Kind kind, std::uint32_t first, std::uint64_t end);

  const MemoryImage& first_;
  const MemoryImage& second_;
  CompareOptions options_;
  const std::vector<Entry>& firstEntries_;
  const std::vector<Entry>& secondEntries_;
  std::vector<Difference> differences_;
  Totals totals_;
  bool sameEntries_ = true;
};

}  // namespace larkspan
