#include "checksum/checksum_picker.h"

#include <algorithm>

namespace larkspan {

ChecksumPicker::ChecksumPicker(QWidget* parent) : QComboBox(parent) {
  for (const ChecksumAlgorithm& algorithm : ChecksumCatalogue()) {
    addItem(QString::fromStdString(algorithm.name));
  }
  setToolTip(QStringLiteral("The checksum shown"));
  connect(this, &QComboBox::activated, this, [this] { emit picked(currentText()); });
}

const ChecksumAlgorithm& ChecksumPicker::Algorithm() const {
  return ChecksumCatalogue().at(static_cast<std::size_t>(std::max(0, currentIndex())));
}

void ChecksumPicker::Pick(const QString& name) {
  const int index = findText(name);
  if (index >= 0) setCurrentIndex(index);
}

}  // namespace larkspan
