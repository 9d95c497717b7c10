#include "compare/compare_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>
#include <string>

#include "compare/compare_rows.h"
#include "compare/compare_texts.h"
#include "compare/compare_view.h"
#include "compare/image_compare.h"
#include "memory/image_search.h"
#include "memory/memory_map.h"
#include "platform/window_placement.h"
#include "rows/row_controls.h"

namespace larkspan {

CompareWindow::CompareWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  BuildControls();
  AddShortcuts();
  if (parent != nullptr) {
    resize(sizeHint());
    PlaceWindowBeside(*this, *parent);
  }
}

CompareWindow::~CompareWindow() = default;

void CompareWindow::BuildControls() {
  Files_Label = new QLabel(this);
  Files_Label->setTextFormat(Qt::PlainText);
  Summary_Label = new QLabel(this);
  Summary_Label->setTextFormat(Qt::PlainText);
  Summary_Label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Address_Text = AddressField(this);
  Address_Text->setMinimumWidth(
      Address_Text->fontMetrics().horizontalAdvance(Address_Text->placeholderText()) + 24);
  Previous_Button =
      StepButton(this, QStringLiteral("Previous difference"), QStringLiteral("Shift+F8"));
  Next_Button = StepButton(this, QStringLiteral("Next difference"), QStringLiteral("F8"));
  View = new CompareView(this);
  Status_Label = new QLabel(this);
  Status_Label->setTextFormat(Qt::PlainText);

  auto* bar = new QHBoxLayout;
  bar->addWidget(Address_Text, 1);
  bar->addWidget(Previous_Button);
  bar->addWidget(Next_Button);
  bar->addStretch(2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(Files_Label);
  layout->addWidget(Summary_Label);
  layout->addWidget(View, 1);
  layout->addWidget(Status_Label);
  setTabOrder(View, Address_Text);
  View->setFocus();

  connect(Address_Text, &QLineEdit::returnPressed, this, [this] { GoToAddress(); });
  connect(Previous_Button, &QToolButton::clicked, this, [this] { PreviousDifference(); });
  connect(Next_Button, &QToolButton::clicked, this, [this] { NextDifference(); });
  connect(View, &CompareView::cursorMoved, this, [this] { ShowPosition(); });
  connect(View, &CompareView::byteActivated, this, &CompareWindow::byteActivated);
}

void CompareWindow::AddShortcuts() {
  const auto add = [this](QKeySequence keys, auto action) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
  };
  add(QKeySequence(Qt::CTRL | Qt::Key_G), [this] {
    Address_Text->setFocus();
    Address_Text->selectAll();
  });
  add(QKeySequence(Qt::Key_F8), [this] { NextDifference(); });
  add(QKeySequence(Qt::SHIFT | Qt::Key_F8), [this] { PreviousDifference(); });
}

void CompareWindow::SetCompare(std::shared_ptr<const MemoryMap> first, const QString& firstFile,
                               std::shared_ptr<const MemoryMap> second, const QString& secondFile,
                               const QString& note) {
  View->SetRows(nullptr);
  rows_.reset();
  compare_.reset();
  first_ = std::move(first);
  second_ = std::move(second);
  note_ = note;
  setWindowTitle(QStringLiteral("Compare: %1 with %2").arg(firstFile, secondFile));
  Files_Label->setText(QStringLiteral("Left: %1    Right: %2")
                           .arg(QFileInfo(firstFile).fileName(), QFileInfo(secondFile).fileName()));
  Files_Label->setToolTip(firstFile + QLatin1Char('\n') + secondFile);
  if (first_ != nullptr && second_ != nullptr) {
    compare_ = std::make_unique<ImageCompare>(first_->Image(), first_->Entries(), second_->Image(),
                                              second_->Entries(), CompareOptions{});
    rows_ = std::make_unique<CompareRows>(*compare_);
    View->SetRows(rows_.get());
  }
  Summary_Label->setText(compare_ != nullptr ? QString::fromStdString(CompareSummaryText(*compare_))
                                             : note_);
  ShowPosition();
}

// The cursor's address, and the difference it lies in.
void CompareWindow::ShowPosition() {
  if (rows_ == nullptr || rows_->Count() == 0) {
    Status_Label->setText(rows_ == nullptr ? QString() : QStringLiteral("No data"));
    return;
  }
  const std::uint32_t cursor = View->Cursor();
  QString text = QStringLiteral("Address ") + AddressText(cursor);
  const auto& differences = compare_->Differences();
  const std::size_t at = compare_->DifferenceAtOrAfter(cursor);
  if (at < differences.size() && differences[at].first <= cursor) {
    const ImageCompare::Difference& d = differences[at];
    text +=
        QStringLiteral("; difference %1 of %2, %3 from %4 to %5")
            .arg(at + 1)
            .arg(differences.size())
            .arg(QString::fromLatin1(KindText(d.kind)), AddressText(d.first), AddressText(d.last));
  }
  Status_Label->setText(text);
}

void CompareWindow::NextDifference() {
  if (rows_ == nullptr) return;
  if (const std::optional<std::size_t> next = rows_->NextDifference(View->Cursor())) {
    GoToDifference(*next);
  } else {
    Status_Label->setText(QStringLiteral("No difference after this one"));
  }
}

void CompareWindow::PreviousDifference() {
  if (rows_ == nullptr) return;
  if (const std::optional<std::size_t> previous = rows_->PreviousDifference(View->Cursor())) {
    GoToDifference(*previous);
  } else {
    Status_Label->setText(QStringLiteral("No difference before this one"));
  }
}

void CompareWindow::GoToDifference(std::size_t index) {
  View->GoTo(compare_->Differences()[index].first);
}

void CompareWindow::GoToAddress() {
  if (rows_ == nullptr) return;
  const std::optional<std::uint32_t> address = ParseAddress(Address_Text->text().toStdString());
  if (!address) {
    Status_Label->setText(QStringLiteral("Not an address: ") + Address_Text->text());
    return;
  }
  View->GoTo(*address, true);
  View->setFocus();
}

}  // namespace larkspan
