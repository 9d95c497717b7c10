#include "records/scan_events.h"

#include <algorithm>

namespace larkspan {

void ScanEvents::Add(ScanListener& listener) {
  listeners_.push_back(&listener);
  if (listener.WantsRecords()) recordListeners_.push_back(&listener);
  if (listener.WantsMemory()) memoryListeners_.push_back(&listener);
}

void ScanEvents::Format(FileFormat format) const {
  for (ScanListener* listener : listeners_) listener->OnFormat(format);
}

bool ScanEvents::WantsBytes() const {
  return std::any_of(listeners_.begin(), listeners_.end(),
                     [](const ScanListener* listener) { return listener->WantsBytes(); });
}

void ScanEvents::Warn(const Message& message) const {
  for (ScanListener* listener : listeners_) listener->OnWarning(message);
}

void ScanEvents::Progress(std::int64_t lines) const {
  for (ScanListener* listener : listeners_) listener->OnProgress(lines);
}

void ScanEvents::Idle() const {
  for (ScanListener* listener : listeners_) listener->OnIdle();
}

void ScanEvents::FileError(const Message& message) const {
  for (ScanListener* listener : listeners_) listener->OnFileError(message);
}

void ScanEvents::End(std::int64_t lines) const {
  for (ScanListener* listener : listeners_) listener->OnEnd(lines);
}

}  // namespace larkspan
