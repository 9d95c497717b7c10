#include "rows/row_controls.h"

#include <QLineEdit>
#include <QToolButton>

#include <string>

#include "records/number_text.h"

namespace larkspan {

QString AddressText(std::uint32_t address) {
  std::string text;
  AppendHex(text, address, 8);
  return QString::fromLatin1(text) + QLatin1Char('h');
}

QToolButton* StepButton(QWidget* parent, const QString& caption, const QString& keys) {
  auto* button = new QToolButton(parent);
  button->setText(caption);
  button->setToolTip(keys);
  return button;
}

QLineEdit* AddressField(QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setPlaceholderText(QStringLiteral("Go to address (Ctrl+G)"));
  field->setToolTip(QStringLiteral("Hexadecimal: 8000000, 0x8000000 or 8000000h"));
  return field;
}

}  // namespace larkspan
