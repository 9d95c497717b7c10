// One scan run of a file as a front end asks for it: with or without the
// listing, the checks and the memory map. The session adds the run's listeners in
// the order their rules need, runs the file and hands back the outcome, the
// faults and the map. It keeps no state outside itself, so that a session may run
// on any thread, one run per session. A pass that gathers only the map with the
// warnings the window's listing gives lists into a DiscardedListing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "listing/listing.h"
#include "listing/record_check.h"
#include "listing/srecord_check.h"
#include "listing/srecord_listing.h"
#include "memory/memory_map.h"
#include "records/file_format.h"
#include "records/record_memory.h"
#include "records/scan_events.h"
#include "records/scan_run.h"

namespace larkspan {

struct SessionOptions {
  // Where the listing goes; none, no listing, and the map warns about unknown
  // record types itself.
  ListingOutput* listing = nullptr;
  bool linear = false;  // list extended and start linear address records too
  bool check = false;   // check the records, and with the map the overlaps
  bool map = false;     // gather the memory map and its image
  // The format to read the file in; none, the file's first line that is not
  // blank tells.
  std::optional<FileFormat> format = std::nullopt;
};

// The faults of a checked run: their total, and each kind the session counts
// with how many it found, in the order of the summary.
struct FaultReport {
  struct Tally {
    std::string_view name;
    std::int64_t count = 0;
  };
  std::int64_t total = 0;
  std::vector<Tally> kinds;
};

class ScanSession {
 public:
  // `frontEnd` hears every event of the run after the session's own listeners:
  // the records, each warning of the listing, the checks and the map, progress,
  // file errors and the end. A pass that shows nothing passes a ScanListener.
  ScanSession(const SessionOptions& options, ScanListener& frontEnd);
  ScanSession(const ScanSession&) = delete;
  ScanSession& operator=(const ScanSession&) = delete;

  // Reads the file at `path`; or, when `fd` is an open descriptor, reads that from
  // where it stands and uses `path` as its name in messages; a stop requested on
  // `stop` ends it early (ScanOutcome::Stopped).
  ScanOutcome Run(const std::string& path, int fd = -1, std::stop_token stop = {});

  // The faults of a checked run, by kind: every kind the checks of the file's
  // format find, and the conflicting overlaps when the map was gathered.
  FaultReport Faults() const;
  // The format the file was read in (Intel HEX until the run has decided).
  FileFormat Format() const { return format_; }
  // The map; none when it was not asked for.
  const std::shared_ptr<MemoryMap>& Map() const { return map_; }

 private:
  SessionOptions options_;
  ScanEvents events_;
  RecordCheck check_;
  SRecordCheck srecordCheck_;
  std::optional<Listing> listing_;
  std::optional<SRecordListing> srecordListing_;
  std::optional<RecordMemory> memory_;
  std::shared_ptr<MemoryMap> map_;
  FileFormat format_ = FileFormat::IntelHex;
};

// A listing output that keeps nothing.
class DiscardedListing final : public ListingOutput {
 public:
  void AddToList(std::string_view, LineKind, std::int64_t) override {}
};

}  // namespace larkspan
