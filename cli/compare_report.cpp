#include "compare_report.h"

#include <algorithm>
#include <string_view>

#include "compare/compare_texts.h"
#include "map_json.h"
#include "memory/map_summary.h"

namespace larkspan {

namespace {

using Json = nlohmann::ordered_json;

std::string LineText(std::int64_t line) {
  return line < 0 ? std::string("-") : std::to_string(line);
}

void WriteDifferences(std::FILE* out, const ImageCompare& compare) {
  if (compare.Differences().empty()) return;
  std::fputs("Differences:\n  kind            first     last      length                   lines\n",
             out);
  for (const ImageCompare::Difference& d : compare.Differences()) {
    const std::string lines =
        LineText(FirstLine(compare.First(), d)) + ", " + LineText(FirstLine(compare.Second(), d));
    const std::string_view kind = KindText(d.kind);
    std::fprintf(out, "  %-15.*s %s  %s  %-24s %s\n", static_cast<int>(kind.size()), kind.data(),
                 AddressText(d.first).c_str(), AddressText(d.last).c_str(),
                 LengthText(d.Length()).c_str(), lines.c_str());
    for (const auto& [side, image] :
         {std::pair("first: ", &compare.First()), std::pair("second:", &compare.Second())}) {
      const std::string bytes = FirstBytesText(*image, d);
      if (!bytes.empty()) std::fprintf(out, "                  %s %s\n", side, bytes.c_str());
    }
  }
}

void WriteEntries(std::FILE* out, const char* side, const std::vector<Entry>& entries) {
  if (entries.empty()) std::fprintf(out, "  %s none\n", side);
  for (const Entry& entry : entries) {
    std::fprintf(out, "  %s %s\n", side, EntryText(MapSummary::RowOf(entry)).c_str());
  }
}

Json EntryList(const std::vector<Entry>& entries) {
  Json list = Json::array();
  for (const Entry& entry : entries) list.push_back(EntryJson(MapSummary::RowOf(entry)));
  return list;
}

Json Line(std::int64_t line) {
  return line < 0 ? Json(nullptr) : Json(line);
}

std::string Key(std::string_view text) {
  std::string key(text);
  std::replace(key.begin(), key.end(), ' ', '_');
  return key;
}

}  // namespace

void WriteCompareText(std::FILE* out, const ImageCompare& compare) {
  WriteDifferences(out, compare);
  if (!compare.SameEntries()) {
    std::fputs("Entry points:\n", out);
    WriteEntries(out, "first: ", compare.FirstEntries());
    WriteEntries(out, "second:", compare.SecondEntries());
  }
  std::fprintf(out, "%s\n", CompareSummaryText(compare).c_str());
}

Json CompareJson(const std::string& first, const std::string& second, const ImageCompare& compare) {
  const ImageCompare::Totals& t = compare.Total();
  Json bytes = {{"first", t.firstBytes}, {"second", t.secondBytes}, {"differing", t.Differing()}};
  if (compare.Options().fill) bytes["matched_fill"] = t.filled;
  Json differences = Json::array();
  for (const ImageCompare::Difference& d : compare.Differences()) {
    differences.push_back(
        {{"first", d.first},
         {"last", d.last},
         {"length", d.Length()},
         {"kind", Key(KindText(d.kind))},
         {"lines", {Line(FirstLine(compare.First(), d)), Line(FirstLine(compare.Second(), d))}}});
  }
  return {{"first", first},
          {"second", second},
          {"identical", compare.Identical()},
          {"bytes", bytes},
          {"differences", differences},
          {"entry",
           {{"first", EntryList(compare.FirstEntries())},
            {"second", EntryList(compare.SecondEntries())},
            {"same", compare.SameEntries()}}}};
}

}  // namespace larkspan
