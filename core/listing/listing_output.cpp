#include "listing/listing_output.h"

#include "records/number_text.h"

namespace larkspan {

namespace {

void AddMark(ListingOutput& output, std::string& text, std::string_view end, std::string_view name,
             const Mark& mark) {
  text.assign(end);
  text.append(name);
  AppendHex(text, static_cast<std::uint32_t>(mark.Value));
  text.append("h in line: ");
  AppendDecimal(text, mark.Line);
  output.AddToList(text, LineKind::kPlain, -1);
}

}  // namespace

void AddSeparator(ListingOutput& output) {
  output.AddToList(kSeparator, LineKind::kPlain, -1);
}

void AddSpan(ListingOutput& output, std::string& text, std::string_view name, const Span& span) {
  if (!span.Used) return;
  AddMark(output, text, "First ", name, span.First);
  AddMark(output, text, "Last ", name, span.Last);
}

}  // namespace larkspan
