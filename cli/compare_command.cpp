#include "compare_command.h"

#include <cstdio>

#include "compare/image_compare.h"
#include "compare_report.h"
#include "image_load.h"

namespace larkspan {

namespace {

constexpr int kIdentical = 0, kDifferent = 1, kTrouble = 2;

}  // namespace

int RunCompare(const ScanOptions& options) {
  const LoadedImage first = LoadImage(options.files[0], options);
  const LoadedImage second = LoadImage(options.files[1], options);
  if (!first.map || !second.map) return kTrouble;
  const ImageCompare compare(first.map->Image(), first.map->Entries(), second.map->Image(),
                             second.map->Entries(), options.compareOptions);
  if (options.json) {
    std::puts(CompareJson(first.name, second.name, compare).dump(2).c_str());
  } else {
    WriteCompareText(stdout, compare);
  }
  if (std::fflush(stdout) != 0) return kTrouble;
  return compare.Identical() ? kIdentical : kDifferent;
}

}  // namespace larkspan
