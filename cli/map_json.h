// The memory map of a file as one JSON document, for programs.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "listing/record_check.h"
#include "memory/memory_map.h"

namespace larkspan {

// The map of the file `name`: "file", "ranges", "gaps", "bytes", "overlaps",
// "entry", "records", "invalid records", "other lines", "warnings", and with
// `faults` (a checked run) "faults" and "fault counts". A file that could not be
// read gives "file" and "error".
nlohmann::ordered_json MapJson(const std::string& name, const MemoryMap& map,
                               const FaultCounts* faults);

}  // namespace larkspan
