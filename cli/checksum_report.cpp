#include "checksum_report.h"

#include "checksum/checksum_texts.h"

namespace larkspan {

namespace {

using Json = nlohmann::ordered_json;
using Kind = ChecksumAlgorithm::Kind;

template <class T>
Json OrNull(bool present, const T& value) {
  return present ? Json(value) : Json(nullptr);
}

Json StoredJson(const StoredChecksum& s) {
  return {{"address", s.address},
          {"little_endian", OrNull(s.readable, s.littleEndian)},
          {"big_endian", OrNull(s.readable, s.bigEndian)},
          {"matches", s.Matches()}};
}

Json ResultJson(const ChecksumResult& r) {
  const CrcParameters& p = r.algorithm.parameters;
  const bool crc = r.algorithm.kind != Kind::Sum;
  Json item = {{"algorithm", r.algorithm.name},
               {"width", p.width},
               {"poly", OrNull(crc, p.poly)},
               {"init", OrNull(crc, p.init)},
               {"refin", OrNull(crc, p.refin)},
               {"refout", OrNull(crc, p.refout)},
               {"xorout", OrNull(crc, p.xorout)},
               {"first", r.range ? Json(r.range->first) : Json(nullptr)},
               {"last", r.range ? Json(r.range->last) : Json(nullptr)},
               {"bytes", r.bytes},
               {"gaps", r.gaps},
               {"fill", r.fill ? Json(*r.fill) : Json(nullptr)},
               {"value", r.value}};
  if (r.valueWithGapsAsFF) item["value_with_gaps_as_ff"] = *r.valueWithGapsAsFF;
  if (r.stored) item["stored"] = StoredJson(*r.stored);
  return item;
}

}  // namespace

void WriteChecksumText(std::FILE* out, const std::vector<ChecksumResult>& results) {
  for (std::size_t i = 0; i < results.size(); ++i) {
    if (i > 0) std::fputc('\n', out);
    for (const std::string& line : ChecksumLines(results[i]))
      std::fprintf(out, "%s\n", line.c_str());
  }
}

Json ChecksumJson(const std::string& name, const std::vector<ChecksumResult>& results) {
  Json list = Json::array();
  for (const ChecksumResult& result : results) list.push_back(ResultJson(result));
  return {{"file", name}, {"checksums", list}};
}

}  // namespace larkspan
