// Writes a synthetic Intel HEX file for benchmarks: N data records of 16 bytes,
// an extended segment address record before every 4096 of them (so load offsets
// run through 0000..FFF0 again), a start record and an end record.
//   larkspan-genhex RECORDS OUTPUT [--lf]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr int kBytesPerRecord = 16;
constexpr std::uint64_t kRecordsPerSegment = 0x10000 / kBytesPerRecord;

class RecordWriter {
 public:
  RecordWriter(std::FILE* out, std::string_view eol) : out_(out), eol_(eol) {}

  void Write(std::uint8_t type, std::uint16_t offset, const std::uint8_t* data, int count) {
    line_.clear();
    line_.push_back(':');
    std::uint8_t sum = 0;
    auto put = [&](std::uint8_t byte) {
      static constexpr char kDigits[] = "0123456789ABCDEF";
      line_.push_back(kDigits[byte >> 4]);
      line_.push_back(kDigits[byte & 15]);
      sum = static_cast<std::uint8_t>(sum + byte);
    };
    put(static_cast<std::uint8_t>(count));
    put(static_cast<std::uint8_t>(offset >> 8));
    put(static_cast<std::uint8_t>(offset & 0xFF));
    put(type);
    for (int i = 0; i < count; ++i) put(data[i]);
    put(static_cast<std::uint8_t>(-sum));
    line_.append(eol_);
    std::fwrite(line_.data(), 1, line_.size(), out_);
  }

 private:
  std::FILE* out_;
  std::string_view eol_;
  std::string line_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: larkspan-genhex RECORDS OUTPUT [--lf]\n");
    return 2;
  }
  const std::uint64_t records = std::strtoull(argv[1], nullptr, 10);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  RecordWriter writer(out, argc > 3 && std::string_view(argv[3]) == "--lf" ? "\n" : "\r\n");
  std::uint32_t state = 0x12345678;  // deterministic data
  std::uint8_t data[kBytesPerRecord];
  for (std::uint64_t i = 0; i < records; ++i) {
    if (i % kRecordsPerSegment == 0) {
      const auto segment = static_cast<std::uint16_t>((i / kRecordsPerSegment) * 0x1000);
      const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(segment >> 8),
                                     static_cast<std::uint8_t>(segment & 0xFF)};
      writer.Write(2, 0, bytes, 2);
    }
    for (auto& byte : data) {
      state = state * 1664525u + 1013904223u;
      byte = static_cast<std::uint8_t>(state >> 24);
    }
    writer.Write(0, static_cast<std::uint16_t>((i % kRecordsPerSegment) * kBytesPerRecord), data,
                 kBytesPerRecord);
  }
  const std::uint8_t start[4] = {0x00, 0x00, 0x01, 0x00};
  writer.Write(3, 0, start, 4);
  writer.Write(1, 0, nullptr, 0);
  return std::fclose(out) == 0 ? 0 : 1;
}
