// The window of a compare: the file last loaded against a second file, both
// images side by side in the compare view, the summary of what differs above
// them, buttons to step from difference to difference, a field to go to an
// address, and a status line about the cursor.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;
class QToolButton;

namespace larkspan {

class CompareRows;
class CompareView;
class ImageCompare;
class MemoryMap;

// Keys: F8 and Shift+F8 for the next and previous difference, Ctrl+G to type an
// address (hexadecimal, with or without "0x" or "h").
class CompareWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit CompareWindow(QWidget* parent = nullptr);
  ~CompareWindow() override;

  // Compares the image of `first` with that of `second`, the maps of the files
  // named; without a first map, shows nothing and says `note`.
  void SetCompare(std::shared_ptr<const MemoryMap> first, const QString& firstFile,
                  std::shared_ptr<const MemoryMap> second, const QString& secondFile,
                  const QString& note = QString());
  const ImageCompare* Compare() const { return compare_.get(); }

  QLabel* Files_Label = nullptr;  // which file is on which side
  QLabel* Summary_Label = nullptr;
  QLineEdit* Address_Text = nullptr;
  QToolButton* Previous_Button = nullptr;
  QToolButton* Next_Button = nullptr;
  CompareView* View = nullptr;
  QLabel* Status_Label = nullptr;

  void NextDifference();
  void PreviousDifference();
  void GoToAddress();

 signals:
  // A double-click on a byte of the first file that holds data.
  void byteActivated(std::uint32_t address);

 private:
  void BuildControls();
  void AddShortcuts();
  void ShowPosition();
  void GoToDifference(std::size_t index);

  std::shared_ptr<const MemoryMap> first_;
  std::shared_ptr<const MemoryMap> second_;
  std::unique_ptr<ImageCompare> compare_;
  std::unique_ptr<CompareRows> rows_;
  QString note_;
};

}  // namespace larkspan
