#include "records/scan_run.h"

#include <cerrno>

#include "records/hex_bytes.h"
#include "records/text_file.h"

namespace larkspan {

ScanOutcome ScanRun::Run(const std::string& path, int fd, std::stop_token stop) {
  decodeAll_ = events_.WantsBytes();
  base_ = Base{};
  lineIndex_ = 0;
  format_.reset();
  if (forced_) DecideFormat(*forced_);
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
  if (!format_) DecideFormat(FileFormat::IntelHex);
  events_.End(lineIndex_);
  return ScanOutcome::Complete;
}

void ScanRun::DecideFormat(FileFormat format) {
  format_ = format;
  startCode_ = format == FileFormat::SRecord ? srec::kStartCode : format::kStartCode;
  events_.Format(format);
}

void ScanRun::ReadLines(TextFile& file, const std::stop_token& stop) {
  file.SetIdleHook([this] { events_.Idle(); });
  std::string_view line;
  while (!file.AtEnd()) {
    if (!file.ReadLine(line)) return;
    if (!format_ && !IsBlank(line)) DecideFormat(FormatOfLine(line));
    if (!line.empty() && line.front() == startCode_) {
      if (format_ == FileFormat::SRecord) {
        DecodeSRecord(line, file.LineLength());
      } else {
        Decode(line, file.LineLength());
      }
    }
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

// The byte count and address of every S-record are decoded, as one block of
// sixteen digits at most; the whole record only for a header, and for every
// record when a listener asks.
void ScanRun::DecodeSRecord(std::string_view line, std::uint64_t length) {
  constexpr std::size_t kBlockDigits = 16;
  const char typeDigit = line.size() > srec::kTypeIndex ? line[srec::kTypeIndex] : '\0';
  if (typeDigit < '0' || typeDigit > '9') return events_.Warn(InvalidRecord(lineIndex_));
  const auto type = static_cast<std::uint8_t>(typeDigit - '0');
  const std::size_t addressBytes = srec::kAddressBytes[type];
  const std::size_t digits = decodeAll_ || type == srec::kHeader ? line.size() : kBlockDigits;
  const std::size_t decoded = DecodeHex(line.substr(srec::kBytesIndex, digits), bytes_.data());
  if (decoded < 2 * (1 + addressBytes) || bytes_[0] < addressBytes + 1) {
    return events_.Warn(InvalidRecord(lineIndex_));
  }
  std::uint32_t address = 0;
  for (std::size_t i = 1; i <= addressBytes; ++i) address = address << 8 | bytes_[i];
  events_.SRecord(SRecord{.line = lineIndex_,
                          .type = type,
                          .count = bytes_[0],
                          .address = address,
                          .text = line,
                          .length = length,
                          .bytes = std::span(bytes_.data(), decoded / 2),
                          .hexDigits = decoded});
}

}  // namespace larkspan
