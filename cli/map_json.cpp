#include "map_json.h"

#include <cstdio>

#include "records/record_format.h"

namespace larkspan {

namespace {

using Json = nlohmann::ordered_json;

Json Ranges(const std::vector<MemoryImage::Range>& ranges) {
  Json list = Json::array();
  for (const auto& range : ranges) {
    list.push_back({{"first", range.first},
                    {"last", range.last},
                    {"length", range.Length()},
                    {"line", range.line}});
  }
  return list;
}

Json Gaps(const std::vector<MemoryImage::Range>& ranges) {
  Json list = Json::array();
  for (std::size_t i = 1; i < ranges.size(); ++i) {
    const MemoryImage::Range gap = MemoryImage::GapBetween(ranges[i - 1], ranges[i]);
    list.push_back({{"first", gap.first}, {"last", gap.last}, {"length", gap.Length()}});
  }
  return list;
}

Json Overlaps(const std::vector<MemoryImage::Overlap>& overlaps) {
  Json list = Json::array();
  for (const auto& overlap : overlaps) {
    list.push_back({{"first", overlap.first},
                    {"last", overlap.last},
                    {"length", std::uint64_t{overlap.last} - overlap.first + 1},
                    {"conflicting", overlap.Conflicting()},
                    {"differing", overlap.differing},
                    {"lines", {overlap.earlierLine, overlap.laterLine}}});
  }
  return list;
}

Json Entries(const std::vector<Entry>& entries) {
  Json list = Json::array();
  for (const Entry& entry : entries) {
    Json item = {{"type", entry.linear ? "linear" : "segment"}};
    if (!entry.linear) {
      item["cs"] = entry.value >> 16;
      item["ip"] = entry.value & 0xFFFF;
    }
    item["address"] = entry.Address();
    item["line"] = entry.line;
    list.push_back(item);
  }
  return list;
}

// Counts by record type, named by the type's two hexadecimal digits: every
// standard type, and others that occur.
Json Records(const std::array<std::int64_t, 256>& counts) {
  Json records = Json::object();
  for (std::size_t type = 0; type < counts.size(); ++type) {
    if (type > format::kStartLinear && counts[type] == 0) continue;
    char name[3];
    std::snprintf(name, sizeof name, "%02zX", type);
    records[name] = counts[type];
  }
  return records;
}

Json Messages(const std::vector<Message>& messages, bool faultsOnly) {
  Json list = Json::array();
  for (const Message& message : messages) {
    const bool fault = message.kind == MessageKind::Fault || message.kind == MessageKind::Overlap ||
                       message.kind == MessageKind::InvalidRecord;
    if (faultsOnly && !fault) continue;
    list.push_back({{"title", message.title},
                    {"line", message.line >= 0 ? Json(message.line) : Json(nullptr)},
                    {"text", JoinLines(message, "; ")}});
  }
  return list;
}

Json FaultCountsJson(const FaultCounts& faults) {
  Json counts = {{"total", faults.Total()}};
  for (std::size_t kind = 0; kind < kFaultKinds; ++kind) {
    counts[std::string(kFaultNames[kind])] = faults.counts[kind];
  }
  return counts;
}

}  // namespace

Json MapJson(const std::string& name, const MemoryMap& map, const FaultCounts* faults) {
  Json document = {{"file", name}};
  if (!map.Complete()) {
    const std::vector<Message>& warnings = map.Warnings();
    document["error"] = warnings.empty() ? "" : JoinLines(warnings.back(), "; ");
    return document;
  }
  const MemoryImage& image = map.Image();
  const std::vector<MemoryImage::Range> ranges = image.Ranges();
  document["ranges"] = Ranges(ranges);
  document["gaps"] = Gaps(ranges);
  document["bytes"] = image.Bytes();
  document["overlaps"] = Overlaps(image.Overlaps());
  document["entry"] = Entries(map.Entries());
  document["records"] = Records(map.RecordCounts());
  document["invalid records"] = map.InvalidRecords();
  document["other lines"] = map.OtherLines();
  document["warnings"] = Messages(map.Warnings(), false);
  if (faults != nullptr) {
    document["faults"] = Messages(map.Warnings(), true);
    document["fault counts"] = FaultCountsJson(*faults);
  }
  return document;
}

}  // namespace larkspan
