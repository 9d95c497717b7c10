// The drop-down that picks the checksum the image and map windows show: the
// algorithms by their catalogue names, CRC-32/ISO-HDLC first.
#pragma once

#include <QComboBox>
#include <QString>

#include "checksum/checksum_algorithm.h"

namespace larkspan {

class ChecksumPicker final : public QComboBox {
  Q_OBJECT

 public:
  explicit ChecksumPicker(QWidget* parent);

  const ChecksumAlgorithm& Algorithm() const;
  // Picks the algorithm named `name`; a name it does not know leaves the pick.
  void Pick(const QString& name);

 signals:
  // The user picked the algorithm named `name`.
  void picked(const QString& name);
};

}  // namespace larkspan
