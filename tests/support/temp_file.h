// Files and folders for tests, removed again when they go out of scope.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace larkspan::testing {

// `text` written `times` times in a row: a file of many equal records.
std::string Repeat(std::string_view text, int times);

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Writes `bytes` as they are into a new file of this folder; returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

}  // namespace larkspan::testing
