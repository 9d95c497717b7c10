// The list's entries, stored compactly so that millions of them fit.
#pragma once

#include <QAbstractListModel>

#include <climits>
#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

#include "listing/listing_texts.h"

namespace larkspan {

// A read-only list of 8-bit (Latin-1) texts for a QListView.
//
// Entries are packed into large blocks: the kind of the line in one byte, then the
// text after the prefix of its kind; an entry ends where the next one (or the block's used
// part) begins. Per entry there is a 32-bit offset within its block and no object
// of its own, so a million record lines take little more than their text. Appended
// entries are gathered and announced to the views in one step by Publish(), so that
// a view is not updated a million times while a file is read.
class ListingModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit ListingModel(QObject* parent = nullptr);
  ~ListingModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Stores `text`, a line of `kind` that begins with the prefix of its kind and
  // stands for the record on `line` (-1 for none), as the last entry; views see it
  // after the next Publish().
  void Append(std::string_view text, LineKind kind = LineKind::kPlain, std::int64_t line = -1);
  // Announces the entries appended since the last call.
  void Publish();
  // Removes all entries and gives their memory back.
  void Clear();

  // Entries stored, published or not.
  std::int64_t StoredCount() const { return static_cast<std::int64_t>(starts_.size()); }
  // The line of the record an entry stands for, -1 for none.
  std::int64_t LineOfRow(std::int64_t row) const;
  // The entry that stands for the record on `line`, -1 for none.
  std::int64_t RowOfLine(std::int64_t line) const;
  // That entry, or for a line without one (a record the listing skips) the entry
  // of the last record before it; -1 when no record before it has an entry.
  std::int64_t RowAtOrBeforeLine(std::int64_t line) const;
  // The published entry with the longest text (0 when there is none): with
  // uniform item sizes, every entry is as wide as this one.
  int WidestRow() const { return widestPublished_; }

 private:
  struct Entry {
    LineKind kind;
    std::string_view rest;  // the text after the prefix of its kind
  };
  Entry At(std::int64_t row) const;
  char* Reserve(std::size_t size);

  struct Block {
    std::unique_ptr<char[]> bytes;
    std::int64_t firstRow;  // the first entry stored in this block
    std::uint32_t used;     // bytes used
  };
  static constexpr std::size_t kBlockSize = 1 << 20;
  std::vector<Block> blocks_;
  std::deque<std::uint32_t> starts_;  // offset of every entry within its block
  // Entries and the lines they stand for rise together: from each of these rows
  // on, the line is the row plus `shift` (kNoLine: no line).
  struct LineShift {
    std::int64_t row;
    std::int64_t shift;
  };
  static constexpr std::int64_t kNoLine = INT64_MIN;
  std::vector<LineShift> shifts_;
  int published_ = 0;
  std::int64_t widest_ = 0;  // entry with the longest text
  std::size_t widestLength_ = 0;
  int widestPublished_ = 0;
};

}  // namespace larkspan
