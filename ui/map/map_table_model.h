// One table of the memory map window: its rows are drawn from the map as a view
// asks for them, so that a map of a million ranges or warnings costs no copies.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace larkspan {

class MapTableModel final : public QAbstractTableModel {
 public:
  // A cell's text, and the line of the record it names (-1 for none).
  struct Cell {
    QString text;
    std::int64_t line = -1;
  };
  // The cells of one row, by column.
  using RowCells = std::function<QList<Cell>(int row)>;

  MapTableModel(const QStringList& headers, QObject* parent);

  // Shows `rows` rows made by `cells`, which stays valid until the next Show.
  void Show(int rows, RowCells cells);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The line a cell leads to: its own, else the first named in its row; -1 for none.
  std::int64_t LineAt(const QModelIndex& index) const;

 private:
  QStringList headers_;
  int rows_ = 0;
  RowCells cells_;
};

}  // namespace larkspan
