#include "image/image_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>
#include <string>
#include <vector>

#include "checksum/checksum_picker.h"
#include "checksum/checksum_table.h"
#include "image/image_view.h"
#include "memory/image_rows.h"
#include "memory/image_search.h"
#include "platform/window_placement.h"
#include "rows/row_controls.h"

namespace larkspan {

ImageWindow::ImageWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  BuildControls();
  AddShortcuts();
  if (parent != nullptr) {
    resize(sizeHint());
    PlaceWindowBeside(*this, *parent);
  }
  SetImage(nullptr, QString(), QString());
}

ImageWindow::~ImageWindow() = default;

void ImageWindow::BuildControls() {
  Address_Text = AddressField(this);
  Previous_Button = StepButton(this, QStringLiteral("Previous range"), QStringLiteral("Ctrl+Up"));
  Next_Button = StepButton(this, QStringLiteral("Next range"), QStringLiteral("Ctrl+Down"));
  Find_Text = new QLineEdit(this);
  Find_Text->setPlaceholderText(QStringLiteral("Find (Ctrl+F)"));
  Find_Kind = new QComboBox(this);
  Find_Kind->addItems({QStringLiteral("Hex bytes"), QStringLiteral("Text")});
  Find_Button = StepButton(this, QStringLiteral("Find next"), QStringLiteral("F3"));
  View = new ImageView(this);
  Status_Label = new QLabel(this);
  Status_Label->setTextFormat(Qt::PlainText);
  Checksum_Label = new QLabel(this);
  Checksum_Label->setTextFormat(Qt::PlainText);
  Checksum_Label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Checksum_Kind = new ChecksumPicker(this);
  checksumDue_ = new QTimer(this);
  checksumDue_->setSingleShot(true);
  checksumDue_->setInterval(0);

  for (QLineEdit* field : {Address_Text, Find_Text}) {
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(field->placeholderText()) + 24);
  }
  auto* bar = new QHBoxLayout;
  bar->addWidget(Address_Text, 2);
  bar->addWidget(Previous_Button);
  bar->addWidget(Next_Button);
  bar->addSpacing(12);
  bar->addWidget(Find_Text, 3);
  bar->addWidget(Find_Kind);
  bar->addWidget(Find_Button);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(View, 1);
  auto* status = new QHBoxLayout;
  status->addWidget(Status_Label, 1);
  status->addWidget(Checksum_Label);
  status->addWidget(Checksum_Kind);
  layout->addLayout(status);
  setTabOrder(View, Address_Text);
  View->setFocus();  // where the keys go once the window is active

  connect(Address_Text, &QLineEdit::returnPressed, this, [this] { GoToAddress(); });
  connect(Find_Text, &QLineEdit::returnPressed, this, [this] { FindNext(); });
  connect(Find_Button, &QToolButton::clicked, this, [this] { FindNext(); });
  connect(Previous_Button, &QToolButton::clicked, this, [this] { PreviousRange(); });
  connect(Next_Button, &QToolButton::clicked, this, [this] { NextRange(); });
  connect(View, &ImageView::cursorMoved, this, [this] { ShowPosition(); });
  connect(checksumDue_, &QTimer::timeout, this, [this] { ShowChecksum(); });
  connect(Checksum_Kind, &QComboBox::currentIndexChanged, checksumDue_,
          qOverload<>(&QTimer::start));
  connect(View, &ImageView::byteActivated, this, &ImageWindow::byteActivated);
  connect(View, &ImageView::copyRefused, this,
          [this] { Say(QStringLiteral("Too many bytes selected to copy")); });
}

void ImageWindow::AddShortcuts() {
  const auto add = [this](QKeySequence keys, auto action) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
  };
  const auto type = [](QLineEdit* field) {
    field->setFocus();
    field->selectAll();
  };
  add(QKeySequence(Qt::CTRL | Qt::Key_G), [this, type] { type(Address_Text); });
  add(QKeySequence(Qt::CTRL | Qt::Key_F), [this, type] { type(Find_Text); });
  add(QKeySequence(Qt::Key_F3), [this] { FindNext(); });
  add(QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { NextRange(); });
  add(QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { PreviousRange(); });
  add(QKeySequence::Copy, [this] { View->CopySelection(); });
  // The fields take the copy key for themselves: without text selected in them,
  // it copies the bytes.
  for (QLineEdit* field : {Address_Text, Find_Text}) field->installEventFilter(this);
}

bool ImageWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (field == nullptr || event->type() != QEvent::KeyPress || field->hasSelectedText() ||
      !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    return QWidget::eventFilter(watched, event);
  }
  View->CopySelection();
  return true;
}

void ImageWindow::SetImage(const MemoryImage* image, const QString& file, const QString& note) {
  View->SetRows(nullptr);
  rows_.reset();
  if (file != file_) Address_Text->clear();
  file_ = file;
  note_ = note;
  setWindowTitle(file.isEmpty() ? QStringLiteral("Memory image")
                                : QStringLiteral("Memory image - ") + file);
  if (image != nullptr) {
    rows_ = std::make_unique<ImageRows>(*image);
    const auto ranges = image->Ranges().size();
    summary_ = QStringLiteral("%1 bytes of data in %2 range%3")
                   .arg(image->Bytes())
                   .arg(ranges)
                   .arg(ranges == 1 ? "" : "s");
    View->SetRows(rows_.get());
  }
  ShowPosition();
}

void ImageWindow::ShowPosition() {
  checksumDue_->start();
  if (rows_ == nullptr || rows_->Count() == 0) {
    Say(rows_ == nullptr ? note_ : QStringLiteral("No data"));
    return;
  }
  const auto [first, last] = View->Selection();
  QString text = QStringLiteral("Address ") + AddressText(View->Cursor());
  if (first != last) {
    text += QStringLiteral(", %1 bytes selected from %2 to %3")
                .arg(std::uint64_t{last} - first + 1)
                .arg(AddressText(first), AddressText(last));
  }
  Say(text + QStringLiteral("; ") + summary_);
}

// Once the events at hand are handled: a drag or a held key moves the cursor many
// times, and the checksum of the last selection is the one shown.
void ImageWindow::ShowChecksum() {
  if (rows_ == nullptr) {
    Checksum_Label->clear();
    return;
  }
  const auto [first, last] = View->Selection();
  const std::optional<ChecksumRange> range =
      first != last ? std::make_optional(ChecksumRange{first, last}) : std::nullopt;
  Checksum_Label->setText(QString::fromStdString(
      ChecksumStatusText(rows_->Image(), Checksum_Kind->Algorithm(), range)));
}

void ImageWindow::Say(const QString& text) {
  Status_Label->setText(text);
}

void ImageWindow::GoToAddress() {
  if (rows_ == nullptr) return;
  const std::optional<std::uint32_t> address = ParseAddress(Address_Text->text().toStdString());
  if (!address) {
    Say(QStringLiteral("Not an address: ") + Address_Text->text());
    return;
  }
  View->GoTo(*address);
  View->setFocus();
}

void ImageWindow::FindNext() {
  if (rows_ == nullptr) return;
  const QByteArray typed = Find_Text->text().toLatin1();
  std::optional<std::vector<std::uint8_t>> pattern;
  if (Find_Kind->currentIndex() == 0) {
    pattern = ParseBytes(typed.toStdString());
  } else if (!typed.isEmpty()) {
    pattern.emplace(typed.begin(), typed.end());
  }
  if (!pattern) {
    Say(QStringLiteral("Nothing to find: type bytes in hexadecimal, or choose Text"));
    return;
  }
  const std::uint32_t from = View->Cursor();
  const std::optional<std::uint32_t> found =
      FindBytes(rows_->Image(), *pattern, std::uint64_t{from} + 1);
  if (!found) {
    Say(QStringLiteral("Not found: ") + Find_Text->text());
    return;
  }
  View->Select(*found, static_cast<std::uint32_t>(*found + pattern->size() - 1));
  Say(QStringLiteral("Found at ") + AddressText(*found) +
      (*found <= from ? QStringLiteral(", from the start") : QString()));
}

void ImageWindow::NextRange() {
  if (rows_ != nullptr) GoToRange(rows_->NextRange(View->Cursor()), QStringLiteral("after"));
}

void ImageWindow::PreviousRange() {
  if (rows_ != nullptr) GoToRange(rows_->PreviousRange(View->Cursor()), QStringLiteral("before"));
}

void ImageWindow::GoToRange(std::optional<std::uint32_t> start, const QString& where) {
  if (start) {
    View->Select(*start, *start);
  } else {
    Say(QStringLiteral("No range %1 this one").arg(where));
  }
}

}  // namespace larkspan
