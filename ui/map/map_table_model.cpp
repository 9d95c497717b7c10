#include "map/map_table_model.h"

#include <algorithm>
#include <utility>

namespace larkspan {

MapTableModel::MapTableModel(const QStringList& headers, QObject* parent)
    : QAbstractTableModel(parent), headers_(headers) {}

void MapTableModel::Show(int rows, RowCells cells) {
  beginResetModel();
  rows_ = rows;
  cells_ = std::move(cells);
  endResetModel();
}

int MapTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int MapTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant MapTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
  return cells_(index.row()).value(index.column()).text;
}

QVariant MapTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return headers_.value(section);
}

std::int64_t MapTableModel::LineAt(const QModelIndex& index) const {
  if (!index.isValid() || index.row() >= rows_) return -1;
  const QList<Cell> cells = cells_(index.row());
  const std::int64_t own = cells.value(index.column()).line;
  if (own >= 0) return own;
  const auto named =
      std::find_if(cells.begin(), cells.end(), [](const Cell& c) { return c.line >= 0; });
  return named != cells.end() ? named->line : -1;
}

}  // namespace larkspan
