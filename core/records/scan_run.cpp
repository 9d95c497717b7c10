#include "records/scan_run.h"

#include <cerrno>

#include "records/hex_bytes.h"
#include "records/text_file.h"

namespace larkspan {

ScanOutcome ScanRun::Run(const std::string& path, int fd, std::stop_token stop) {
  decodeAll_ = events_.WantsBytes();
  base_ = Base{};
  lineIndex_ = 0;
  TextFile file(format::kLongestRecord);
  file.StopOn(stop);
  if (fd >= 0 ? file.Attach(fd) : file.Open(path)) ReadLines(file, stop);
  if (stop.stop_requested() || file.Error() == ECANCELED) return ScanOutcome::Stopped;
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

void ScanRun::ReadLines(TextFile& file, const std::stop_token& stop) {
  file.SetIdleHook([this] { events_.Idle(); });
  std::string_view line;
  while (!file.AtEnd()) {
    if (!file.ReadLine(line)) return;
    if (!line.empty() && line.front() == format::kStartCode) Decode(line, file.LineLength());
    ++lineIndex_;
    if (lineIndex_ % kProgressInterval != 0) continue;
    if (stop.stop_requested()) return;
    events_.Progress(lineIndex_);
  }
}

void ScanRun::Decode(std::string_view line, std::uint64_t length) {
  constexpr std::size_t kHeaderDigits = 2 * format::kHeaderBytes;
  const std::string_view digits = line.substr(1);
  std::size_t decoded = 0;
  if (decodeAll_) {
    decoded = DecodeHex(digits, bytes_.data());
  } else if (digits.size() >= kHeaderDigits && DecodeHexWord(digits.data(), bytes_.data())) {
    decoded = kHeaderDigits;
  }
  if (decoded < kHeaderDigits) {
    events_.Warn(InvalidRecord(lineIndex_));
    return;
  }
  Record record{.line = lineIndex_,
                .type = bytes_[3],
                .count = bytes_[0],
                .offset = static_cast<std::uint16_t>(bytes_[1] << 8 | bytes_[2]),
                .text = line,
                .length = length,
                .base = base_,
                .bytes = {},
                .hexDigits = 0};
  // Base and start address records: always decoded.
  const bool addresses = format::CarriesAddress(record.type);
  if (!decodeAll_ && addresses) decoded = DecodeHex(digits, bytes_.data());
  if (decodeAll_ || addresses) {
    record.hexDigits = decoded;
    record.bytes = std::span(bytes_.data(), decoded / 2);
  }
  if (const std::optional<Base> base = record.NewBase()) base_ = *base;
  events_.Record(record);
}

}  // namespace larkspan
