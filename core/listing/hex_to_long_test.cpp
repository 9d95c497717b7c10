#include "listing/hex_to_long.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace larkspan {
namespace {

struct Conversion {
  std::string text;
  std::optional<std::int32_t> value;  // none: std::overflow_error
};

// Characters that are not digits count their code minus 55 (1G, /0, Z, \xff, NUL).
// Out of range: a term, the sum or the length; in 8000000/ the first term leaves the
// 32-bit range although the whole value would not.
TEST(HexToLong, GivesThePositionalBase16ValueOrThrowsOnOverflow) {
  // clang-format off
  const Conversion kTable[] = {
      {"", 0}, {"10", 16}, {"0100", 256}, {"FFFF", 65535}, {"FFFF0", 1048560}, {"10000", 65536},
      {"00A", 10}, {"7FFFFFFF", 2147483647}, {"ff", 255}, {"aB", 171},
      {std::string(40, '0') + "C", 12}, {std::string(32767, '0'), 0},
      {"1G", 32}, {"/0", -128}, {"Z", 35}, {"\xff", 200}, {std::string(1, '\0'), -55},
      {"80000000", {}}, {"FFFFFFFF", {}}, {"100000000", {}}, {"-0000000", {}}, {"8000000/", {}},
      {std::string(32768, '0'), {}}};
  // clang-format on
  for (const auto& [text, value] : kTable) {
    SCOPED_TRACE(::testing::PrintToString(text.substr(0, 16)));
    if (value) {
      EXPECT_EQ(HexToLong(text), *value);
    } else {
      EXPECT_THROW(HexToLong(text), std::overflow_error);
    }
  }
}

}  // namespace
}  // namespace larkspan
