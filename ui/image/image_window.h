// The window of the memory image: the image view of the file last loaded, a bar
// to go to an address, to the next or previous range of data and to find bytes
// or text, and a status line.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QTimer;
class QLineEdit;
class QToolButton;

namespace larkspan {

class ChecksumPicker;
class ImageRows;
class ImageView;
class MemoryImage;

// Keys: Ctrl+G to type an address (hexadecimal, with or without "0x" or "h"),
// Ctrl+F to type bytes or text to find, F3 for the next match, Ctrl+Down and
// Ctrl+Up for the next and previous range, Ctrl+C to copy the selected bytes as
// hexadecimal text wherever the focus is (in a field with text selected, that
// text). The go-to field is cleared when another file is shown.
class ImageWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit ImageWindow(QWidget* parent = nullptr);
  ~ImageWindow() override;

  // Shows `image`, which the caller keeps while it is shown, as the image of
  // `file`; without one, shows nothing and says `note`.
  void SetImage(const MemoryImage* image, const QString& file, const QString& note);

  ImageView* View = nullptr;
  QLineEdit* Address_Text = nullptr;
  QToolButton* Previous_Button = nullptr;
  QToolButton* Next_Button = nullptr;
  QLineEdit* Find_Text = nullptr;
  QComboBox* Find_Kind = nullptr;  // hexadecimal bytes or text
  QToolButton* Find_Button = nullptr;
  QLabel* Status_Label = nullptr;
  // The checksum of the selected bytes with data, or of the whole image when
  // nothing is selected, and the algorithm it is computed by.
  QLabel* Checksum_Label = nullptr;
  ChecksumPicker* Checksum_Kind = nullptr;

  void GoToAddress();
  // The next match of what Find_Text holds after the cursor, from the start of the
  // image when there is none after it.
  void FindNext();
  void NextRange();
  void PreviousRange();

 signals:
  // A double-click on a byte that holds data.
  void byteActivated(std::uint32_t address);

 private:
  void BuildControls();
  void AddShortcuts();
  void ShowPosition();
  // Moves the cursor to `start`; without one, says there is no range `where`
  // ("after" or "before") the cursor.
  void GoToRange(std::optional<std::uint32_t> start, const QString& where);
  void Say(const QString& text);
  void ShowChecksum();
  bool eventFilter(QObject* watched, QEvent* event) override;

  std::unique_ptr<ImageRows> rows_;
  QString file_;
  QString note_;
  QString summary_;                // the bytes and ranges of the image
  QTimer* checksumDue_ = nullptr;  // one checksum for the moves the events bring at once
};

}  // namespace larkspan
