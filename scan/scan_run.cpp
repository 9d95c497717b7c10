#include "scan/scan_run.h"

#include "scan/hex_digits.h"
#include "scan/hex_to_long.h"
#include "scan/listing_texts.h"
#include "scan/number_text.h"
#include "scan/text_file.h"

namespace larkspan {

namespace {

// The `length` characters from 1-based `position`; a start beyond the end gives an
// empty text and a field running past the end gives the characters that are there.
std::string_view Mid(std::string_view line, std::size_t position, std::size_t length) {
  if (position > line.size()) return {};
  return line.substr(position - 1, length);
}

// Record line layout, by 1-based positions after the spaces are removed.
constexpr std::size_t kCountPos = 2, kCountLen = 2;
constexpr std::size_t kOffsetPos = 4, kOffsetLen = 4;
constexpr std::size_t kTypePos = 8, kTypeLen = 2;
constexpr std::size_t kDataPos = 10;
constexpr std::size_t kSegmentLen = 4;
constexpr std::size_t kStartIpHighPos = 14, kStartIpLowPos = 16, kStartIpLen = 2;

enum RecordType : std::int32_t { kData = 0, kEnd = 1, kExtendedSegment = 2, kStartSegment = 3 };

}  // namespace

ScanOutcome ScanRun::Run() {
  view_.ClearList();
  if (view_.QuickLoad()) view_.SetListVisible(false);
  state_ = ScanState{};
  if (options_.check) check_.emplace(view_);

  // A check needs the checksum of the longest record too.
  TextFile file(options_.check ? RecordCheck::kLongestRecord : kKeptCharacters);
  if (Open(file)) ReadLines(file);
  const std::string failure = file.Error() != 0 ? file.ErrorText() : std::string();
  file.Close();
  if (!failure.empty()) {
    ReportFileError(failure);
    return ScanOutcome::FileError;
  }
  if (check_) check_->Finish(state_.LineIndex);
  ListSummary();
  view_.SetLineText(kDoneText);
  ShowList();
  view_.SelectFirstEntry();
  return ScanOutcome::Complete;
}

bool ScanRun::Open(TextFile& file) {
  form_.FileNumber = FreeFile();
  if (options_.inputFd >= 0) return file.Attach(options_.inputFd);
  return file.Open(form_.CurrentFile);
}

void ScanRun::ReadLines(TextFile& file) {
  file.SetLongLineHook([this] { view_.ProcessPendingEvents(); });
  std::string line;
  line.reserve(RecordCheck::kLongestRecord);
  while (!file.AtEnd()) {
    if (!file.ReadLine(line)) return;
    if (!line.empty() && line.front() == ':') DecodeRecord(line, file.LineLength());
    ++state_.LineIndex;
    if (state_.LineIndex % kProgressInterval == 0) ShowProgress();
  }
}

void ScanRun::ShowProgress() {
  text_.clear();
  AppendDecimal(text_, state_.LineIndex);
  view_.SetLineText(text_);
  view_.ProcessPendingEvents();
}

void ScanRun::DecodeRecord(std::string_view line, std::uint64_t length) {
  const std::string_view count = Mid(line, kCountPos, kCountLen);
  const std::string_view offset = Mid(line, kOffsetPos, kOffsetLen);
  const std::string_view type = Mid(line, kTypePos, kTypeLen);
  if (!IsHexField(count, kCountLen) || !IsHexField(offset, kOffsetLen) ||
      !IsHexField(type, kTypeLen)) {
    WarnInvalid();
    return;
  }
  const std::int32_t typeValue = HexToLong(type);
  if (check_) check_->Record(line, length, typeValue, state_.LineIndex);
  switch (typeValue) {
    case kData:
      ListData(line, HexToLong(count), offset);
      break;
    case kEnd:
      view_.AddToList("End record.");
      break;
    case kExtendedSegment:
      ListExtended(Mid(line, kDataPos, kSegmentLen));
      break;
    case kStartSegment:
      ListStart(line);
      break;
    default:
      Warn("Unknown datatype", type);
      break;
  }
}

void ScanRun::ListData(std::string_view line, std::int32_t count, std::string_view offsetText) {
  text_.assign(kDataRecordPrefix);
  text_.append(offsetText);
  text_.append("h: ");
  text_.append(Mid(line, kDataPos, static_cast<std::size_t>(count) * 2));
  view_.AddToList(text_);
  state_.NoteAddress(HexToLong(offsetText));
}

void ScanRun::ListExtended(std::string_view segment) {
  if (!IsHexField(segment, kSegmentLen)) {
    WarnInvalid();
    return;
  }
  text_.assign(kExtendedAddressPrefix);
  text_.append(segment);
  text_.append("0h");
  view_.AddToList(text_);
  // The segment followed by a zero digit: the segment times 16.
  state_.NoteExtended(HexToLong(segment) * 16);
}

void ScanRun::ListStart(std::string_view line) {
  text_.assign(kStartRecordPrefix);
  text_.append(Mid(line, kDataPos, kSegmentLen));
  text_.append("h: ");
  text_.append(Mid(line, kStartIpHighPos, kStartIpLen));
  text_.append(" ");
  text_.append(Mid(line, kStartIpLowPos, kStartIpLen));
  view_.AddToList(text_);
}

// Shows "<title> in line: N", then "Datatype: <datatype>" when one is given, then
// "Line will be ignored.", one per line of the box, and waits for the user.
void ScanRun::Warn(std::string_view title, std::string_view datatype) {
  std::string message(title);
  message.append(" in line: ");
  AppendDecimal(message, state_.LineIndex);
  message.push_back('\r');
  if (!datatype.empty()) {
    message.append("Datatype: ");
    message.append(datatype);
    message.push_back('\r');
  }
  message.append("Line will be ignored.");
  view_.WarningBox(message, title);
}

void ScanRun::WarnInvalid() {
  if (check_) check_->Invalid();
  Warn("Invalid record", {});
}

void ScanRun::ListSummary() {
  view_.AddToList(" - - - - - - - - ");
  if (state_.AddressUsed) {
    ListMark("First address: ", state_.FirstAddress);
    ListMark("Last address: ", state_.LastAddress);
  }
  if (state_.ExtendedUsed) {
    ListMark("First Extended address: ", state_.FirstExtended);
    ListMark("Last Extended address: ", state_.LastExtended);
  }
}

void ScanRun::ListMark(std::string_view label, const Mark& mark) {
  text_.assign(label);
  AppendHex(text_, static_cast<std::uint32_t>(mark.Value));
  text_.append("h in line: ");
  AppendDecimal(text_, mark.Line);
  view_.AddToList(text_);
}

void ScanRun::ReportFileError(const std::string& reason) {
  std::string message("Cannot read file: ");
  message.append(form_.CurrentFile);
  message.push_back('\r');
  message.append(reason);
  view_.ErrorBox(message, "File error");
  ShowList();
}

void ScanRun::ShowList() {
  view_.SetListVisible(true);
  view_.FocusList();
}

}  // namespace larkspan
