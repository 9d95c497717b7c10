#include "listing_model.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "listing_texts.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace larkspan {

namespace {

constexpr std::size_t kHeaderSize = 3;  // prefix code, then length (16 bits)
constexpr std::size_t kMaxRest = std::numeric_limits<std::uint16_t>::max();
constexpr unsigned char kNoPrefix = 0xFF;

}  // namespace

ListingModel::ListingModel(QObject* parent) : QAbstractListModel(parent) {}

ListingModel::~ListingModel() = default;

int ListingModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : published_;
}

QVariant ListingModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= published_) return {};
  const Entry entry = At(index.row());
  QString text;
  if (entry.prefix >= 0) {
    const std::string_view prefix = kRecordPrefixes[static_cast<std::size_t>(entry.prefix)];
    text = QLatin1StringView(prefix.data(), static_cast<qsizetype>(prefix.size()));
  }
  text += QLatin1StringView(entry.rest.data(), static_cast<qsizetype>(entry.rest.size()));
  return text;
}

void ListingModel::Append(std::string_view text) {
  if (text.size() > widestLength_ || starts_.empty()) {
    widest_ = StoredCount();
    widestLength_ = text.size();
  }
  unsigned char code = kNoPrefix;
  for (std::size_t i = 0; i < kRecordPrefixes.size(); ++i) {
    if (text.starts_with(kRecordPrefixes[i])) {
      code = static_cast<unsigned char>(i);
      text.remove_prefix(kRecordPrefixes[i].size());
      break;
    }
  }
  // Listing lines are a few hundred characters at the most.
  text = text.substr(0, kMaxRest);
  char* out = Reserve(kHeaderSize + text.size());
  out[0] = static_cast<char>(code);
  out[1] = static_cast<char>(text.size() & 0xFF);
  out[2] = static_cast<char>(text.size() >> 8);
  std::memcpy(out + kHeaderSize, text.data(), text.size());
}

char* ListingModel::Reserve(std::size_t size) {
  if (kBlockSize - used_ < size) {
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
    used_ = 0;
  }
  const std::uint64_t start = (blocks_.size() - 1) * kBlockSize + used_;
  starts_.push_back(start);
  used_ += size;
  return blocks_.back().get() + (start % kBlockSize);
}

ListingModel::Entry ListingModel::At(std::int64_t row) const {
  const std::uint64_t start = starts_[static_cast<std::size_t>(row)];
  const char* p = blocks_[start / kBlockSize].get() + start % kBlockSize;
  const auto code = static_cast<unsigned char>(p[0]);
  const std::size_t length =
      static_cast<unsigned char>(p[1]) | (static_cast<std::size_t>(static_cast<unsigned char>(p[2])) << 8);
  return {code == kNoPrefix ? -1 : code, std::string_view(p + kHeaderSize, length)};
}

std::string ListingModel::Text(std::int64_t row) const {
  const Entry entry = At(row);
  std::string text;
  if (entry.prefix >= 0) text = kRecordPrefixes[static_cast<std::size_t>(entry.prefix)];
  text += entry.rest;
  return text;
}

void ListingModel::Publish() {
  // A view counts its rows in an int; entries past that are kept but not shown.
  const auto stored = static_cast<int>(
      std::min<std::int64_t>(StoredCount(), std::numeric_limits<int>::max()));
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
  std::deque<std::uint64_t>().swap(starts_);
  used_ = kBlockSize;
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
