// libFuzzer target: the whole scan run on arbitrary bytes, checked for consistency.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "run_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The run reads a file by its path: give it one in memory.
  const int fd = ::memfd_create("larkspan-fuzz", MFD_CLOEXEC);
  if (fd < 0) std::abort();
  if (size > 0 && ::write(fd, data, size) != static_cast<ssize_t>(size)) std::abort();
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto problems = larkspan::testing::CheckScan(path, bytes);
  ::close(fd);
  if (!problems.empty()) {
    for (const auto& problem : problems) std::fprintf(stderr, "problem: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
