#include "main/listing_model.h"

#include <algorithm>
#include <cstring>
#include <limits>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace larkspan {

namespace {

constexpr std::size_t kHeaderSize = 1;  // the kind of the line

}  // namespace

ListingModel::ListingModel(QObject* parent) : QAbstractListModel(parent) {}

ListingModel::~ListingModel() = default;

int ListingModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : published_;
}

QVariant ListingModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= published_) return {};
  const Entry entry = At(index.row());
  const std::string_view prefix = PrefixOf(entry.kind);
  return QLatin1StringView(prefix.data(), static_cast<qsizetype>(prefix.size())) +
         QLatin1StringView(entry.rest.data(), static_cast<qsizetype>(entry.rest.size()));
}

void ListingModel::Append(std::string_view text, LineKind kind, std::int64_t line) {
  const std::int64_t shift = line >= 0 ? line - StoredCount() : kNoLine;
  if (shifts_.empty() || shifts_.back().shift != shift) shifts_.push_back({StoredCount(), shift});
  if (text.size() > widestLength_ || starts_.empty()) {
    widest_ = StoredCount();
    widestLength_ = text.size();
  }
  text.remove_prefix(std::min(text.size(), PrefixOf(kind).size()));
  // Listing lines are a few hundred characters at the most.
  text = text.substr(0, kBlockSize - kHeaderSize);
  char* out = Reserve(kHeaderSize + text.size());
  out[0] = static_cast<char>(kind);
  std::memcpy(out + kHeaderSize, text.data(), text.size());
}

char* ListingModel::Reserve(std::size_t size) {
  if (blocks_.empty() || kBlockSize - blocks_.back().used < size) {
    blocks_.push_back({std::make_unique_for_overwrite<char[]>(kBlockSize), StoredCount(), 0});
  }
  Block& block = blocks_.back();
  const std::uint32_t start = block.used;
  starts_.push_back(start);
  block.used += static_cast<std::uint32_t>(size);
  return block.bytes.get() + start;
}

ListingModel::Entry ListingModel::At(std::int64_t row) const {
  // The last block whose first entry is at or before `row`.
  const auto block =
      std::prev(std::upper_bound(blocks_.begin(), blocks_.end(), row,
                                 [](std::int64_t r, const Block& b) { return r < b.firstRow; }));
  const std::uint32_t start = starts_[static_cast<std::size_t>(row)];
  const bool lastInBlock = std::next(block) == blocks_.end()
                               ? row + 1 == StoredCount()
                               : row + 1 == std::next(block)->firstRow;
  const std::uint32_t end = lastInBlock ? block->used : starts_[static_cast<std::size_t>(row + 1)];
  const char* p = block->bytes.get() + start;
  return {static_cast<LineKind>(p[0]),
          std::string_view(p + kHeaderSize, end - start - kHeaderSize)};
}

std::int64_t ListingModel::LineOfRow(std::int64_t row) const {
  const auto it = std::upper_bound(shifts_.begin(), shifts_.end(), row,
                                   [](std::int64_t r, const LineShift& s) { return r < s.row; });
  if (row < 0 || row >= StoredCount() || it == shifts_.begin()) return -1;
  const std::int64_t shift = std::prev(it)->shift;
  return shift == kNoLine ? -1 : row + shift;
}

std::int64_t ListingModel::RowOfLine(std::int64_t line) const {
  const std::int64_t row = RowAtOrBeforeLine(line);
  return row >= 0 && LineOfRow(row) == line ? row : -1;
}

std::int64_t ListingModel::RowAtOrBeforeLine(std::int64_t line) const {
  // The last stretch of rows whose first line is at or before `line`; the entries
  // without a line (the summary) come last. Its rows end where the next begins.
  const auto after = std::partition_point(shifts_.begin(), shifts_.end(), [&](const LineShift& s) {
    return s.shift != kNoLine && s.row + s.shift <= line;
  });
  if (after == shifts_.begin()) return -1;
  const std::int64_t end = after == shifts_.end() ? StoredCount() : after->row;
  return std::min(line - std::prev(after)->shift, end - 1);
}

void ListingModel::Publish() {
  // A view counts its rows in an int; entries past that are kept but not shown.
  const auto stored =
      static_cast<int>(std::min<std::int64_t>(StoredCount(), std::numeric_limits<int>::max()));
  if (stored == published_) return;
  beginInsertRows({}, published_, stored - 1);
  published_ = stored;
  if (widest_ < published_) widestPublished_ = static_cast<int>(widest_);
  endInsertRows();
}

void ListingModel::Clear() {
  beginResetModel();
  blocks_.clear();
  blocks_.shrink_to_fit();
  std::deque<std::uint32_t>().swap(starts_);
  std::vector<LineShift>().swap(shifts_);
  published_ = 0;
  widest_ = 0;
  widestLength_ = 0;
  widestPublished_ = 0;
  endResetModel();
#ifdef __GLIBC__
  // Give the freed blocks back to the system, not only to the allocator.
  ::malloc_trim(0);
#endif
}

}  // namespace larkspan
