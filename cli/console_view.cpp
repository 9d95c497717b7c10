#include "console_view.h"

#include <cstring>
#include <string>

#include "records/number_text.h"

namespace larkspan {

namespace {

constexpr std::string_view kProgressLabel = "Reading line: ";

void Write(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

ConsoleView::ConsoleView(std::FILE* listing, std::FILE* messages, Options options)
    : listing_(listing),
      messages_(messages),
      options_(options),
      pending_(std::make_unique_for_overwrite<char[]>(kListingBufferSize)) {}

ConsoleView::~ConsoleView() {
  EraseProgress();
  FlushListing();
}

void ConsoleView::AddToList(std::string_view text, LineKind /*kind*/, std::int64_t /*line*/) {
  if (options_.sharedTarget) EraseProgress();
  if (pendingSize_ + text.size() + 1 > kListingBufferSize) {
    FlushListing();
    if (text.size() + 1 > kListingBufferSize) {  // longer than any listing line
      Write(listing_, text);
      Write(listing_, "\n");
      return;
    }
  }
  std::memcpy(pending_.get() + pendingSize_, text.data(), text.size());
  pendingSize_ += text.size();
  pending_[pendingSize_++] = '\n';
}

void ConsoleView::FlushListing() {
  Write(listing_, std::string_view(pending_.get(), pendingSize_));
  pendingSize_ = 0;
  std::fflush(listing_);
}

void ConsoleView::OnProgress(std::int64_t lines) {
  if (!options_.showProgress) return;
  const auto now = std::chrono::steady_clock::now();
  if (progressWidth_ != 0 && now - lastProgress_ < options_.progressInterval) return;
  lastProgress_ = now;
  if (options_.sharedTarget) FlushListing();
  std::string line("\r");
  line.append(kProgressLabel);
  AppendDecimal(line, lines);
  const std::size_t width = line.size() - 1;
  if (width < progressWidth_) line.append(progressWidth_ - width, ' ');
  Write(messages_, line);
  std::fflush(messages_);
  progressWidth_ = width;
}

void ConsoleView::WriteMessage(const Message& message) {
  PrepareMessageStream();
  std::string line(message.title);
  line.append(": ");
  line.append(JoinLines(message, "; "));
  line.push_back('\n');
  Write(messages_, line);
  std::fflush(messages_);
}

void ConsoleView::PrepareMessageStream() {
  EraseProgress();
  if (options_.sharedTarget) FlushListing();
}

void ConsoleView::ErasePendingProgress() {
  std::string blank("\r");
  blank.append(progressWidth_, ' ');
  blank.push_back('\r');
  Write(messages_, blank);
  std::fflush(messages_);
  progressWidth_ = 0;
}

void WriteFaults(std::FILE* out, const std::string& name, const FaultReport& faults) {
  std::string line = "larkspan-scan: check: " + name + ": faults ";
  line += std::to_string(faults.total) + " (";
  const char* separator = "";
  for (const FaultReport::Tally& fault : faults.kinds) {
    line += separator + std::string(fault.name) + " " + std::to_string(fault.count);
    separator = ", ";
  }
  std::fprintf(out, "%s)\n", line.c_str());
}

}  // namespace larkspan
