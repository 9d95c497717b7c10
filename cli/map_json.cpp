#include "map_json.h"

#include <algorithm>
#include <string_view>

#include "memory/map_summary.h"

namespace larkspan {

namespace {

using Json = nlohmann::ordered_json;

// A name as a key: words joined by underscores ("non-hex character" gives
// "non_hex_character").
std::string Key(std::string_view name) {
  std::string key(name);
  std::replace_if(
      key.begin(), key.end(), [](char c) { return c == ' ' || c == '-'; }, '_');
  return key;
}

Json Span(const MemoryImage::Range& span) {
  return {{"first", span.first}, {"last", span.last}, {"length", span.Length()}};
}

Json Ranges(const MapSummary& summary) {
  Json list = Json::array();
  for (const auto& range : summary.Ranges()) {
    Json item = Span(range);
    item["line"] = range.line;
    list.push_back(item);
  }
  return list;
}

Json Gaps(const MapSummary& summary) {
  Json list = Json::array();
  for (std::size_t i = 0; i < summary.GapCount(); ++i) list.push_back(Span(summary.Gap(i)));
  return list;
}

Json Overlaps(const MapSummary& summary) {
  Json list = Json::array();
  for (std::size_t i = 0; i < summary.OverlapCount(); ++i) {
    const MapSummary::OverlapRow overlap = summary.Overlap(i);
    list.push_back({{"first", overlap.first},
                    {"last", overlap.last},
                    {"length", overlap.length},
                    {"conflicting", overlap.Conflicting()},
                    {"differing", overlap.differing},
                    {"lines", {overlap.earlierLine, overlap.laterLine}}});
  }
  return list;
}

Json Entries(const MapSummary& summary) {
  Json list = Json::array();
  for (std::size_t i = 0; i < summary.EntryCount(); ++i) {
    list.push_back(EntryJson(summary.Entry(i)));
  }
  return list;
}

// Counts by record type, named as records of the file's format name it.
Json Records(const MapSummary& summary) {
  Json records = Json::object();
  for (const MapSummary::RecordRow& row : summary.Records()) records[row.type] = row.count;
  return records;
}

Json Messages(const MapSummary& summary, bool faultsOnly) {
  Json list = Json::array();
  for (const Message& message : summary.Warnings()) {
    if (faultsOnly && !MapSummary::IsFault(message)) continue;
    list.push_back({{"title", message.title},
                    {"line", message.line >= 0 ? Json(message.line) : Json(nullptr)},
                    {"text", JoinLines(message, "; ")}});
  }
  return list;
}

Json FaultCountsJson(const FaultReport& faults) {
  Json counts = {{"total", faults.total}};
  for (const FaultReport::Tally& fault : faults.kinds) counts[Key(fault.name)] = fault.count;
  return counts;
}

}  // namespace

Json EntryJson(const MapSummary::EntryRow& entry) {
  Json item = {{"type", entry.linear ? "linear" : "segment"}};
  if (!entry.linear) {
    item["cs"] = entry.cs;
    item["ip"] = entry.ip;
  }
  item["address"] = entry.address;
  item["line"] = entry.line;
  return item;
}

Json MapJson(const std::string& name, const MemoryMap& map, const FaultReport* faults) {
  Json document = {{"file", name}};
  const MapSummary summary(map);
  if (!summary.Complete()) {
    const std::span<const Message> warnings = summary.Warnings();
    document["error"] = warnings.empty() ? "" : JoinLines(warnings.back(), "; ");
    return document;
  }
  const RecordTally& records = map.Records();
  document["format"] = FormatName(records.Format());
  if (records.Format() == FileFormat::SRecord) {
    document["header"] = records.Header() ? Json(*records.Header()) : Json(nullptr);
  }
  document["ranges"] = Ranges(summary);
  document["gaps"] = Gaps(summary);
  document["bytes"] = summary.Total().bytes;
  document["overlaps"] = Overlaps(summary);
  document["entry"] = Entries(summary);
  document["records"] = Records(summary);
  document["invalid_records"] = summary.InvalidRecords();
  document["other_lines"] = summary.OtherLines();
  document["warnings"] = Messages(summary, false);
  if (faults != nullptr) {
    document["faults"] = Messages(summary, true);
    document["fault_counts"] = FaultCountsJson(*faults);
  }
  return document;
}

}  // namespace larkspan
