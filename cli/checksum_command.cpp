#include "checksum_command.h"

#include <cstdio>
#include <vector>

#include "checksum/checksum_texts.h"
#include "checksum_report.h"
#include "each_file.h"
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
    if (!Flushed()) status = WorseStatus(status, kExitFileError);
  }
  return status;
}

}  // namespace

int RunChecksums(const ScanOptions& options) {
  return ForEachFile(options, [&options](const std::string& path, Json& documents) {
    return Checksums(path, options, documents);
  });
}

}  // namespace larkspan
