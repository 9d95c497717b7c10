// Sequential text input, read in large blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

namespace larkspan {

// A file opened for sequential line input.
//
// A line ends at a carriage return, at a carriage return followed by a line feed,
// or at a line feed alone; the terminator is not part of the line, and a last line
// without terminator is a line too. Bytes are characters (Latin-1).
//
// ReadLine removes every space (code 32) from the line and keeps at most
// `keepLimit` of the remaining characters, so memory stays bounded however long a
// line is; the rest of the line is read and dropped.
//
// A regular file that gets shorter while it is read is a read failure (Error() is
// kFileShrank), not an early end: what was read would not be the whole file.
//
// Anything else (a pipe, a terminal) is read as its data comes: the file waits for
// input as `cat` does, also for the first writer of a named pipe, and calls the
// idle hook every kWaitMs while it waits.
class TextFile {
 public:
  static constexpr std::size_t kDefaultBlockSize = 64 * 1024;
  // Error() of a file that became shorter than it was when it was opened.
  static constexpr int kFileShrank = -1;
  // A long line calls the idle hook after every this many bytes.
  static constexpr std::uint64_t kLongLineHookBytes = 4 * 1024 * 1024;
  // Waiting for input calls the idle hook this often.
  static constexpr int kWaitMs = 16;

  explicit TextFile(std::size_t keepLimit, std::size_t blockSize = kDefaultBlockSize);
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Opens `path`. False on failure, with Error() set.
  bool Open(const std::string& path);
  // Reads the open descriptor `fd` (standard input, for instance) from where it
  // stands. Close() leaves the descriptor open.
  bool Attach(int fd);
  // True when no character is left, or once reading has failed (see Error()).
  // Between the lines of a block it needs no call.
  bool AtEnd() { return (begin_ == end_ || afterReturn_) && !MoreInput(); }
  // Reads the next line into `line` (spaces removed, capped). False when the read
  // failed; Error() then tells why.
  // `line` stays valid until the next read.
  bool ReadLine(std::string_view& line);
  // Closes the file. Safe to call more than once.
  void Close();

  // Characters of the last line read, spaces removed, before the keep limit.
  std::uint64_t LineLength() const { return lineLength_; }

  // The system's error number of the last failure (or kFileShrank), 0 when none.
  int Error() const { return error_; }
  // Why the last operation failed, in words.
  std::string ErrorText() const;

  // Called after every `bytes` of a single line and while waiting for input, so
  // that the caller can keep its user interface alive.
  void SetIdleHook(std::function<void()> hook, std::uint64_t bytes = kLongLineHookBytes) {
    idleHook_ = std::move(hook);
    longLineHookBytes_ = bytes;
  }
  // Where the idle hook would be called, a stop requested on `stop` ends reading as
  // a failure with Error() ECANCELED: also while waiting for input that may never
  // come.
  void StopOn(std::stop_token stop) { stop_ = std::move(stop); }

 private:
  void Reset();
  // ReadLine into `line`, across blocks and spaces.
  bool ReadLine(std::string& line);
  // Takes `fd` over for reading (closing it at the end when `owned`).
  bool Start(int fd, bool owned);
  bool Fail(int fd, bool owned);  // notes errno and gives up `fd`
  bool Fill();          // refills the block when it is used up; false at end or on failure
  bool WaitForInput();  // false when waiting failed (error_ set)
  // Calls the idle hook; false, with Error() ECANCELED, when a stop was requested.
  bool Idle();
  void SkipLineFeedAfterReturn();
  bool MoreInput();  // false at the end of the input or after a failure
  // Appends [from, to) to `line` as far as the keep limit allows.
  void Keep(std::string& line, const char* from, const char* to);

  std::size_t keepLimit_;
  std::string kept_;  // a line that had to be copied
  std::vector<char> block_;
  std::size_t begin_ = 0;  // next unread byte in block_
  std::size_t end_ = 0;    // one past the last valid byte in block_
  int fd_ = -1;
  bool ownsFd_ = true;
  int error_ = 0;
  bool eof_ = false;
  bool afterReturn_ = false;      // the last line ended at a carriage return
  std::int64_t sizeAtOpen_ = -1;  // size of a regular file when opened, else -1 (a stream)
  std::uint64_t bytesRead_ = 0;
  std::uint64_t lineLength_ = 0;
  std::function<void()> idleHook_;
  std::stop_token stop_;
  std::uint64_t longLineHookBytes_ = kLongLineHookBytes;
};

}  // namespace larkspan
