// The controls the windows of rows of bytes share: the field to go to an address,
// the buttons that step through the rows, and how the status line writes an
// address.
#pragma once

#include <QString>

#include <cstdint>

class QLineEdit;
class QToolButton;
class QWidget;

namespace larkspan {

// "0800001Fh": eight hexadecimal digits and the h.
QString AddressText(std::uint32_t address);
// A button named `caption` whose tip names its `keys`.
QToolButton* StepButton(QWidget* parent, const QString& caption, const QString& keys);
// The field to type an address in, reached with Ctrl+G.
QLineEdit* AddressField(QWidget* parent);

}  // namespace larkspan
