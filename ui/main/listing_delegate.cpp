#include "main/listing_delegate.h"

#include "main/listing_model.h"

namespace larkspan {

QSize ListingDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const auto* model = qobject_cast<const ListingModel*>(index.model());
  if (model == nullptr) return QStyledItemDelegate::sizeHint(option, index);
  return QStyledItemDelegate::sizeHint(option, model->index(model->WidestRow()));
}

}  // namespace larkspan
