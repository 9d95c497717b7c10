// Item sizes of the listing: every entry as wide as the longest one.
#pragma once

#include <QStyledItemDelegate>

namespace larkspan {

// A list view with uniform item sizes takes the size of one entry for all of them;
// this delegate answers with the size of the longest entry of a ListingModel, so
// that the list can be scrolled far enough to show every entry whole.
class ListingDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace larkspan
