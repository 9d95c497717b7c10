#include "session/scan_session.h"

#include <utility>

namespace larkspan {

// The checks come first: their faults about a record are heard before the
// listing's lines and warnings. The listing comes before the memory the records
// write, which warns about an invalid base or start record the listing did not
// warn about, and about unknown types only when no listing does. The map keeps
// every warning. The front end comes last. Each format's listing and checks hear
// only its own records, and end the run only when the file is in their format.
ScanSession::ScanSession(const SessionOptions& options, ScanListener& frontEnd)
    : options_(options), check_(events_), srecordCheck_(events_) {
  if (options.check) {
    events_.Add(check_);
    events_.Add(srecordCheck_);
  }
  if (options.listing != nullptr) {
    listing_.emplace(events_, *options.listing, options.linear);
    events_.Add(*listing_);
    srecordListing_.emplace(events_, *options.listing);
    events_.Add(*srecordListing_);
  }
  if (options.map) {
    memory_.emplace(events_, options.listing == nullptr);
    events_.Add(*memory_);
    map_ = std::make_shared<MemoryMap>(events_, options.check);
    events_.Add(map_->Records());
    events_.Add(*map_);
  }
  events_.Add(frontEnd);
}

ScanOutcome ScanSession::Run(const std::string& path, int fd, std::stop_token stop) {
  ScanRun run(events_, options_.format);
  const ScanOutcome outcome = run.Run(path, fd, std::move(stop));
  format_ = run.Format().value_or(FileFormat::IntelHex);
  return outcome;
}

FaultReport ScanSession::Faults() const {
  FaultReport report;
  report.total = check_.Faults().Total() + srecordCheck_.Faults().Total();
  const auto add = [&](const auto& kinds) {
    for (const Fault kind : kinds) {
      if (kind == Fault::Overlap && !options_.map) continue;
      report.kinds.push_back({kFaultNames[static_cast<std::size_t>(kind)],
                              check_.Faults()[kind] + srecordCheck_.Faults()[kind]});
    }
  };
  if (format_ == FileFormat::SRecord) {
    add(kSRecordFaults);
  } else {
    add(kIntelHexFaults);
  }
  return report;
}

}  // namespace larkspan
