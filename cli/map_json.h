// The memory map of a file as one JSON document, for programs.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "memory/map_summary.h"
#include "memory/memory_map.h"
#include "session/scan_session.h"

namespace larkspan {

// The map of the file `name`: "file", "format" (and for an S-record file
// "header"), "ranges", "gaps", "bytes", "overlaps", "entry", "records",
// "invalid_records", "other_lines", "warnings", and with `faults` (a checked
// run) "faults" and "fault_counts". A file that could not be read gives "file"
// and "error". Keys are in snake case.

// An entry point: "type" ("segment" or "linear"), with "cs" and "ip" for a
// segment one, "address" and "line".
nlohmann::ordered_json EntryJson(const MapSummary::EntryRow& entry);

nlohmann::ordered_json MapJson(const std::string& name, const MemoryMap& map,
                               const FaultReport* faults);

}  // namespace larkspan
