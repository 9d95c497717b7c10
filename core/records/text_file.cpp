#include "records/text_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace larkspan {

namespace {

// The first byte in [p, stop) that is 32 or below: a space, a line end or another
// control character. Most lines have few of them, so eight bytes are tested at once.
const char* FindSpecial(const char* p, const char* stop) {
#ifdef __SSE2__
  const __m128i space = _mm_set1_epi8(' ');
  for (; stop - p >= 16; p += 16) {
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int special = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(chars, space), chars));
    if (special != 0) return p + std::countr_zero(static_cast<unsigned>(special));
  }
#endif
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  while (stop - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    // Nonzero when some byte of the word is below 33.
    if (((word - kOnes * 33) & ~word & kHighBits) != 0) break;
    p += 8;
  }
  while (p != stop && static_cast<unsigned char>(*p) > ' ') ++p;
  return p;
}

}  // namespace

TextFile::TextFile(std::size_t keepLimit, std::size_t blockSize)
    : keepLimit_(keepLimit), block_(blockSize) {}

TextFile::~TextFile() {
  Close();
}

void TextFile::Reset() {
  Close();
  begin_ = end_ = 0;
  error_ = 0;
  eof_ = afterReturn_ = false;
}

bool TextFile::Open(const std::string& path) {
  Reset();
  // Opening a named pipe waits for a writer; the wait is done in WaitForInput
  // instead, where the idle hook keeps being called.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Fail(fd, true);
  return Start(fd, true);
}

bool TextFile::Attach(int fd) {
  Reset();
  return Start(fd, false);
}

bool TextFile::Start(int fd, bool owned) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return Fail(fd, owned);
  // A regular file is read from where the descriptor stands to its end.
  const off_t position = ::lseek(fd, 0, SEEK_CUR);
  sizeAtOpen_ = S_ISREG(info.st_mode)
                    ? static_cast<std::int64_t>(info.st_size) - std::max<std::int64_t>(position, 0)
                    : -1;
  // A regular file opened without waiting would be read without waiting too, which
  // costs the system several times more per block.
  if (owned && sizeAtOpen_ >= 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    return Fail(fd, owned);
  }
  fd_ = fd;
  ownsFd_ = owned;
  bytesRead_ = 0;
  return true;
}

bool TextFile::Fail(int fd, bool owned) {
  error_ = errno;
  eof_ = true;
  if (fd >= 0 && owned) ::close(fd);
  return false;
}

void TextFile::Close() {
  if (fd_ < 0) return;
  if (ownsFd_) ::close(fd_);
  fd_ = -1;
}

bool TextFile::Fill() {
  if (begin_ < end_) return true;
  if (eof_) return false;
  begin_ = end_ = 0;
  for (;;) {
    if (sizeAtOpen_ < 0 && !WaitForInput()) break;
    const ssize_t got = ::read(fd_, block_.data(), block_.size());
    if (got > 0) {
      end_ = static_cast<std::size_t>(got);
      bytesRead_ += static_cast<std::uint64_t>(got);
      return true;
    }
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (got < 0) {
      error_ = errno;
    } else if (sizeAtOpen_ >= 0 && bytesRead_ < static_cast<std::uint64_t>(sizeAtOpen_)) {
      error_ = kFileShrank;
    }
    break;
  }
  eof_ = true;
  return false;
}

// A named pipe opened before its first writer reports no input and no hang-up
// until a writer has come: it is waited for like any other input.
bool TextFile::WaitForInput() {
  pollfd input{fd_, POLLIN, 0};
  for (;;) {
    const int ready = ::poll(&input, 1, kWaitMs);
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) {
      error_ = errno;
      return false;
    }
    if (!Idle()) return false;
  }
}

bool TextFile::Idle() {
  if (idleHook_) idleHook_();
  if (!stop_.stop_requested()) return true;
  error_ = ECANCELED;
  return false;
}

void TextFile::SkipLineFeedAfterReturn() {
  if (!afterReturn_) return;
  if (!Fill()) return;
  afterReturn_ = false;
  if (block_[begin_] == '\n') ++begin_;
}

bool TextFile::MoreInput() {
  SkipLineFeedAfterReturn();
  return Fill();
}

bool TextFile::ReadLine(std::string_view& line) {
  SkipLineFeedAfterReturn();
  // Most lines lie whole in the block, without spaces: they are not copied.
  if (begin_ < end_) {
    const char* const start = block_.data() + begin_;
    const char* const stop = block_.data() + end_;
    const char* const p = FindSpecial(start, stop);
    if (p != stop && (*p == '\r' || *p == '\n')) {
      lineLength_ = static_cast<std::uint64_t>(p - start);
      line = std::string_view(start, std::min<std::size_t>(lineLength_, keepLimit_));
      const char* next = p + 1;
      afterReturn_ = *p == '\r';
      // A line feed after the carriage return, in the block too, ends the same line.
      if (afterReturn_ && next != stop && *next == '\n') {
        ++next;
        afterReturn_ = false;
      }
      begin_ = static_cast<std::size_t>(next - block_.data());
      return true;
    }
  }
  const bool read = ReadLine(kept_);
  line = kept_;
  return read;
}

bool TextFile::ReadLine(std::string& line) {
  line.clear();
  lineLength_ = 0;
  std::uint64_t lineBytes = 0;
  while (Fill()) {
    const char* const start = block_.data();
    const char* p = start + begin_;
    const char* const stop = start + end_;
    const char* run = p;  // first byte of the characters not yet kept
    while ((p = FindSpecial(p, stop)) != stop) {
      const char c = *p;
      if (c == '\r' || c == '\n') {
        Keep(line, run, p);
        afterReturn_ = (c == '\r');
        begin_ = static_cast<std::size_t>(p + 1 - start);
        return true;
      }
      if (c == ' ') {
        Keep(line, run, p);
        run = p + 1;
      }
      ++p;
    }
    Keep(line, run, stop);
    lineBytes += end_ - begin_;
    begin_ = end_;
    if (lineBytes >= longLineHookBytes_) {
      lineBytes = 0;
      if (!Idle()) return false;
    }
  }
  return error_ == 0;
}

std::string TextFile::ErrorText() const {
  if (error_ == kFileShrank) return "The file became shorter while it was read";
  return std::generic_category().message(error_);
}

void TextFile::Keep(std::string& line, const char* from, const char* to) {
  lineLength_ += static_cast<std::uint64_t>(to - from);
  const std::size_t room = keepLimit_ - std::min(keepLimit_, line.size());
  line.append(from, std::min(room, static_cast<std::size_t>(to - from)));
}

}  // namespace larkspan
