#include "checksum_command.h"

#include <cstdio>
#include <vector>

#include "checksum/checksum_texts.h"
#include "checksum_report.h"
#include "image_load.h"

namespace larkspan {

namespace {

using Json = nlohmann::ordered_json;

ChecksumRequest RequestOf(const ScanOptions& options) {
  ChecksumRequest request;
  request.fill = options.compareOptions.fill;
  request.verifyAt = options.verifyAt;
  if (options.rangeGiven) {
    request.range = {options.compareOptions.first, options.compareOptions.last};
  }
  return request;
}

// The checksums of one file, printed as text or added to `documents`; returns
// the file's exit status.
int Checksums(const std::string& path, const ScanOptions& options, Json& documents) {
  const LoadedImage loaded = LoadImage(path, options);
  if (!loaded.map) {
    if (options.json) documents.push_back({{"file", loaded.name}, {"error", loaded.error}});
    return kExitFileError;
  }
  std::vector<ChecksumResult> results;
  int status = loaded.faults > 0 ? kExitFaults : kExitComplete;
  for (const ChecksumAlgorithm& algorithm : options.checksums) {
    results.push_back(ComputeChecksum(loaded.map->Image(), algorithm, RequestOf(options)));
    if (const std::string warning = PaddingWarningText(results.back()); !warning.empty()) {
      std::fprintf(stderr, "larkspan-scan: %s: %s\n", loaded.name.c_str(), warning.c_str());
    }
    if (!results.back().Verified()) status = kExitFaults;
  }
  if (options.json) {
    documents.push_back(ChecksumJson(loaded.name, results));
  } else {
    WriteChecksumText(stdout, results);
  }
  return status;
}

}  // namespace

int RunChecksums(const ScanOptions& options) {
  const bool headers = options.files.size() > 1 && !options.json;
  int status = kExitComplete;
  Json documents = Json::array();
  for (std::size_t i = 0; i < options.files.size(); ++i) {
    const std::string& path = options.files[i];
    if (headers) {
      std::printf("%s==> %s <==\n", i == 0 ? "" : "\n",
                  path == "-" ? "standard input" : path.c_str());
      std::fflush(stdout);
    }
    status = WorseStatus(status, Checksums(path, options, documents));
  }
  if (options.json && !documents.empty()) {
    std::puts((documents.size() == 1 ? documents.front() : documents).dump(2).c_str());
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)
    status = WorseStatus(status, kExitFileError);
  return status;
}

}  // namespace larkspan
