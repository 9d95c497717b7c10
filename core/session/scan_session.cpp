#include "session/scan_session.h"

#include <utility>

namespace larkspan {

// The checks come first: their faults about a record are heard before the
// listing's lines and warnings. The listing comes before the map, which keeps
// every warning and counts a record the listing warned about once; the map warns
// about unknown types only when no listing does. The front end comes last.
ScanSession::ScanSession(const SessionOptions& options, ScanListener& frontEnd)
    : options_(options), check_(events_) {
  if (options.check) events_.Add(check_);
  if (options.listing != nullptr) {
    listing_.emplace(events_, *options.listing, options.linear);
    events_.Add(*listing_);
  }
  if (options.map) {
    map_ = std::make_shared<MemoryMap>(
        events_, MemoryMap::Options{.warnUnknownTypes = options.listing == nullptr,
                                    .checkOverlaps = options.check});
    events_.Add(*map_);
  }
  events_.Add(frontEnd);
}

ScanOutcome ScanSession::Run(const std::string& path, int fd, std::stop_token stop) {
  return ScanRun(events_).Run(path, fd, std::move(stop));
}

FaultReport ScanSession::Faults() const {
  FaultReport report;
  report.total = check_.Faults().Total();
  for (std::size_t kind = 0; kind < kFaultKinds; ++kind) {
    if (static_cast<Fault>(kind) == Fault::Overlap && !options_.map) continue;
    report.kinds.push_back({kFaultNames[kind], check_.Faults().counts[kind]});
  }
  return report;
}

}  // namespace larkspan
