#include "scan/scan_run.h"

#include "scan/hex_bytes.h"
#include "scan/hex_to_long.h"
#include "scan/text_file.h"

namespace larkspan {

namespace {

using format::Field;
using format::IsHexField;

}  // namespace

ScanOutcome ScanRun::Run(const std::string& path, int fd) {
  decodeAll_ = events_.WantsBytes();
  base_ = Base{};
  lineIndex_ = 0;
  TextFile file(format::kLongestRecord);
  if (fd >= 0 ? file.Attach(fd) : file.Open(path)) ReadLines(file);
  const std::string failure = file.Error() != 0 ? file.ErrorText() : std::string();
  file.Close();
  if (!failure.empty()) {
    events_.FileError(
        Message{MessageKind::FileError, "File error", {"Cannot read file: " + path, failure}});
    return ScanOutcome::FileError;
  }
  events_.End(lineIndex_);
  return ScanOutcome::Complete;
}

void ScanRun::ReadLines(TextFile& file) {
  file.SetIdleHook([this] { events_.Idle(); });
  std::string line;
  line.reserve(format::kLongestRecord);
  while (!file.AtEnd()) {
    if (!file.ReadLine(line)) return;
    if (!line.empty() && line.front() == format::kStartCode) Decode(line, file.LineLength());
    ++lineIndex_;
    if (lineIndex_ % kProgressInterval == 0) events_.Progress(lineIndex_);
  }
}

void ScanRun::Decode(std::string_view line, std::uint64_t length) {
  const std::string_view count = Field(line, format::kCountIndex, format::kCountWidth);
  const std::string_view offset = Field(line, format::kOffsetIndex, format::kOffsetWidth);
  const std::string_view type = Field(line, format::kTypeIndex, format::kTypeWidth);
  if (!IsHexField(count, format::kCountWidth) || !IsHexField(offset, format::kOffsetWidth) ||
      !IsHexField(type, format::kTypeWidth)) {
    events_.Warn(InvalidRecord(lineIndex_));
    return;
  }
  Record record{.line = lineIndex_,
                .type = static_cast<std::uint8_t>(HexToLong(type)),
                .count = static_cast<std::uint8_t>(HexToLong(count)),
                .offset = static_cast<std::uint16_t>(HexToLong(offset)),
                .text = line,
                .length = length,
                .base = base_,
                .bytes = {},
                .hexDigits = 0};
  if (decodeAll_ ||
      (record.type >= format::kExtendedSegment && record.type <= format::kStartLinear)) {
    record.hexDigits = DecodeHex(line.substr(1), bytes_.data());
    record.bytes = std::span(bytes_.data(), record.hexDigits / 2);
  }
  if (const std::optional<Base> base = record.NewBase()) base_ = *base;
  events_.Record(record);
}

}  // namespace larkspan
