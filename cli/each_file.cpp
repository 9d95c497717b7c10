#include "each_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace larkspan {

bool Flushed() {
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return true;
  std::fprintf(stderr, "larkspan-scan: cannot write the listing: %s\n", std::strerror(errno));
  return false;
}

int ForEachFile(const ScanOptions& options, const FileRun& run) {
  const bool headers = options.files.size() > 1 && !options.json;
  int status = kExitComplete;
  nlohmann::ordered_json documents = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < options.files.size(); ++i) {
    const std::string& path = options.files[i];
    if (headers) {
      std::printf("%s==> %s <==\n", i == 0 ? "" : "\n",
                  path == "-" ? "standard input" : path.c_str());
      std::fflush(stdout);  // before what the run says on standard error
    }
    status = WorseStatus(status, run(path, documents));
  }
  // One file's document stands alone; several files' are one array.
  if (options.json && !documents.empty()) {
    std::puts((documents.size() == 1 ? documents.front() : documents).dump(2).c_str());
    if (!Flushed()) status = WorseStatus(status, kExitFileError);
  }
  return status;
}

}  // namespace larkspan
