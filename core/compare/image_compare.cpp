#include "compare/image_compare.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace larkspan {

namespace {

using Piece = MemoryImage::Piece;

// The pieces of one image from an address on, in address order.
struct Side {
  const MemoryImage& image;
  const std::vector<Piece>& pieces;
  std::size_t index = 0;

  Side(const MemoryImage& of, std::uint64_t from) : image(of), pieces(of.Pieces()) {
    index = static_cast<std::size_t>(
        std::partition_point(pieces.begin(), pieces.end(),
                             [&](const Piece& piece) { return piece.end <= from; }) -
        pieces.begin());
  }
  // The piece that holds `address`, or none.
  const Piece* At(std::uint64_t address) const {
    return index < pieces.size() && pieces[index].first <= address ? &pieces[index] : nullptr;
  }
  // Where what holds at `address` changes: the end of its piece, or the start of
  // the next one.
  std::uint64_t Next(std::uint64_t address) const {
    if (const Piece* piece = At(address)) return piece->end;
    return index < pieces.size() ? pieces[index].first : std::numeric_limits<std::uint64_t>::max();
  }
  const std::uint8_t* Bytes(std::uint64_t address) const {
    const auto at = static_cast<std::uint32_t>(address);
    return image.BytesOf(image.Runs()[pieces[index].run], at);
  }
  void Pass(std::uint64_t address) {
    if (index < pieces.size() && pieces[index].end <= address) ++index;
  }
};

// How many bytes from the start of `a` and `b` (`n` each) are equal.
std::size_t EqualPrefix(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
  constexpr std::size_t kWord = 8;
  std::size_t k = 0;
  while (k + kWord <= n && std::memcmp(a + k, b + k, kWord) == 0) k += kWord;
  while (k < n && a[k] == b[k]) ++k;
  return k;
}

bool SameAddresses(const std::vector<Entry>& first, const std::vector<Entry>& second) {
  return std::equal(first.begin(), first.end(), second.begin(), second.end(),
                    [](const Entry& a, const Entry& b) { return a.Address() == b.Address(); });
}

}  // namespace

// Walks both images together over the addresses compared, one stretch at a time
// in which each side either holds data from one piece or none.
class ImageCompare::Walk {
 public:
  Walk(ImageCompare& compare, const CompareOptions& options)
      : compare_(compare),
        options_(options),
        first_(compare.first_, options.first),
        second_(compare.second_, options.first) {}

  void Run() {
    const std::uint64_t end = std::uint64_t{options_.last} + 1;
    for (std::uint64_t at = options_.first; at < end;) {
      const std::uint64_t stop = std::min({first_.Next(at), second_.Next(at), end});
      Stretch(at, stop);
      at = stop;
      first_.Pass(at);
      second_.Pass(at);
    }
  }

 private:
  void Stretch(std::uint64_t at, std::uint64_t stop) {
    const bool inFirst = first_.At(at) != nullptr, inSecond = second_.At(at) != nullptr;
    if (!inFirst && !inSecond) return;
    Totals& totals = compare_.totals_;
    if (at != dataEnd_) ++totals.ranges;
    dataEnd_ = stop;
    totals.bytes += stop - at;
    if (inFirst) totals.firstBytes += stop - at;
    if (inSecond) totals.secondBytes += stop - at;
    if (inFirst && inSecond) return Both(at, stop);
    OneSide(inFirst ? first_ : second_, inFirst ? Kind::OnlyInFirst : Kind::OnlyInSecond, at, stop);
  }

  void Both(std::uint64_t at, std::uint64_t stop) {
    const std::uint8_t* a = first_.Bytes(at);
    const std::uint8_t* b = second_.Bytes(at);
    const auto n = static_cast<std::size_t>(stop - at);
    for (std::size_t k = EqualPrefix(a, b, n); k < n; k += EqualPrefix(a + k, b + k, n - k)) {
      const std::size_t from = k;
      while (k < n && a[k] != b[k]) ++k;
      compare_.Note(Kind::Changed, static_cast<std::uint32_t>(at + from), at + k);
    }
  }

  void OneSide(const Side& side, Kind kind, std::uint64_t at, std::uint64_t stop) {
    if (!options_.fill) return compare_.Note(kind, static_cast<std::uint32_t>(at), stop);
    const std::uint8_t* bytes = side.Bytes(at);
    const auto n = static_cast<std::size_t>(stop - at);
    const std::uint8_t fill = *options_.fill;
    for (std::size_t k = 0; k < n;) {
      const std::size_t from = k;
      while (k < n && bytes[k] == fill) ++k;
      compare_.totals_.filled += k - from;
      const std::size_t differ = k;
      while (k < n && bytes[k] != fill) ++k;
      if (k > differ) compare_.Note(kind, static_cast<std::uint32_t>(at + differ), at + k);
    }
  }

  ImageCompare& compare_;
  const CompareOptions& options_;
  Side first_;
  Side second_;
  std::uint64_t dataEnd_ = std::numeric_limits<std::uint64_t>::max();  // of the last data
};

ImageCompare::ImageCompare(const MemoryImage& first, const std::vector<Entry>& firstEntries,
                           const MemoryImage& second, const std::vector<Entry>& secondEntries,
                           const CompareOptions& options)
    : first_(first),
      second_(second),
      options_(options),
      firstEntries_(firstEntries),
      secondEntries_(secondEntries),
      sameEntries_(SameAddresses(firstEntries, secondEntries)) {
  if (options.first <= options.last) Walk(*this, options_).Run();
}

// Bytes of one kind right after a difference of that kind lengthen it.
void ImageCompare::Note(Kind kind, std::uint32_t first, std::uint64_t end) {
  const std::uint64_t length = end - first;
  switch (kind) {
    case Kind::Changed:
      totals_.changed += length;
      break;
    case Kind::OnlyInFirst:
      totals_.onlyInFirst += length;
      break;
    case Kind::OnlyInSecond:
      totals_.onlyInSecond += length;
      break;
  }
  const auto last = static_cast<std::uint32_t>(end - 1);
  if (!differences_.empty() && differences_.back().kind == kind &&
      std::uint64_t{differences_.back().last} + 1 == first) {
    differences_.back().last = last;
    return;
  }
  differences_.push_back({kind, first, last});
}

std::size_t ImageCompare::DifferenceAtOrAfter(std::uint32_t address) const {
  return static_cast<std::size_t>(
      std::partition_point(differences_.begin(), differences_.end(),
                           [&](const Difference& d) { return d.last < address; }) -
      differences_.begin());
}

}  // namespace larkspan
