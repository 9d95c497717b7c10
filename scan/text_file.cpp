#include "text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace larkspan {

namespace {

// Numbers held by open files; index 0 is unused. Files are opened and closed on
// the one thread that runs the scan.
std::vector<bool>& NumbersInUse() {
  static std::vector<bool> inUse(1, true);
  return inUse;
}

void SetNumberInUse(std::int32_t number, bool inUse) {
  auto& numbers = NumbersInUse();
  const auto index = static_cast<std::size_t>(number);
  if (index >= numbers.size()) numbers.resize(index + 1, false);
  numbers[index] = inUse;
}

}  // namespace

std::int32_t FreeFile() {
  const auto& numbers = NumbersInUse();
  std::size_t number = 1;
  while (number < numbers.size() && numbers[number]) ++number;
  return static_cast<std::int32_t>(number);
}

TextFile::TextFile(std::size_t keepLimit, std::size_t blockSize)
    : keepLimit_(keepLimit), block_(new char[blockSize]), blockSize_(blockSize) {}

TextFile::~TextFile() { Close(); }

bool TextFile::Open(const std::string& path, std::int32_t fileNumber) {
  Close();
  begin_ = end_ = 0;
  error_ = 0;
  eof_ = afterReturn_ = false;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    error_ = errno;
    eof_ = true;
    return false;
  }
  fileNumber_ = fileNumber;
  SetNumberInUse(fileNumber_, true);
  return true;
}

void TextFile::Close() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  SetNumberInUse(fileNumber_, false);
}

bool TextFile::Fill() {
  if (begin_ < end_) return true;
  if (eof_) return false;
  begin_ = end_ = 0;
  for (;;) {
    const ssize_t got = ::read(fd_, block_.get(), blockSize_);
    if (got > 0) {
      end_ = static_cast<std::size_t>(got);
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error_ = errno;
    eof_ = true;
    return false;
  }
}

void TextFile::SkipLineFeedAfterReturn() {
  if (!afterReturn_) return;
  if (!Fill()) return;
  afterReturn_ = false;
  if (block_[begin_] == '\n') ++begin_;
}

bool TextFile::AtEnd() {
  SkipLineFeedAfterReturn();
  return !Fill();
}

bool TextFile::ReadLine(std::string& line) {
  line.clear();
  SkipLineFeedAfterReturn();
  while (Fill()) {
    const char* p = block_.get() + begin_;
    const char* const stop = block_.get() + end_;
    for (; p != stop; ++p) {
      const char c = *p;
      if (c == '\r' || c == '\n') {
        afterReturn_ = (c == '\r');
        begin_ = static_cast<std::size_t>(p + 1 - block_.get());
        return true;
      }
      if (c != ' ' && line.size() < keepLimit_) line.push_back(c);
    }
    begin_ = end_;
  }
  return error_ == 0;
}

}  // namespace larkspan
