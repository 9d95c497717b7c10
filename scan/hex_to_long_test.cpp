#include "hex_to_long.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace larkspan {
namespace {

struct Conversion {
  std::string text;
  std::int32_t value;
};

void PrintTo(const Conversion& p, std::ostream* os) {
  *os << "\"" << p.text.substr(0, 16) << "\"";
}

class HexToLongValue : public ::testing::TestWithParam<Conversion> {};

TEST_P(HexToLongValue, GivesPositionalBase16Value) {
  EXPECT_EQ(HexToLong(GetParam().text), GetParam().value) << "text: " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Fields, HexToLongValue,
                         ::testing::Values(Conversion{"", 0}, Conversion{"0", 0},
                                           Conversion{"10", 16}, Conversion{"0100", 256},
                                           Conversion{"FFFF", 65535}, Conversion{"FFFF0", 1048560},
                                           Conversion{"10000", 65536}, Conversion{"00A", 10},
                                           Conversion{"7FFFFFFF", 2147483647},
                                           // Lower-case digits count like upper-case ones.
                                           Conversion{"ff", 255}, Conversion{"aB", 171},
                                           Conversion{"ff00", 65280},
                                           // Leading zeros beyond eight characters change nothing.
                                           Conversion{std::string(40, '0') + "C", 12}));

// Characters that are not hexadecimal digits count their code minus 55.
INSTANTIATE_TEST_SUITE_P(NonDigits, HexToLongValue,
                         ::testing::Values(Conversion{"1G", 32}, Conversion{"/0", -128},
                                           Conversion{"-", -10}, Conversion{"Z", 35},
                                           Conversion{"\xff", 200}, Conversion{":", 3},
                                           Conversion{std::string(1, '\0'), -55}));

TEST(HexToLongOverflow, ThrowsWhenTheValueLeaves32Bits) {
  for (const std::string& text : std::vector<std::string>{"80000000", "FFFFFFFF", "100000000",
                                                          "-0000000", "1" + std::string(20, '0')}) {
    EXPECT_THROW(HexToLong(text), std::overflow_error) << "text: " << text;
  }
}

TEST(HexToLongOverflow, ThrowsForTextsLongerThan32767Characters) {
  EXPECT_EQ(HexToLong(std::string(32767, '0')), 0);
  EXPECT_THROW(HexToLong(std::string(32768, '0')), std::overflow_error);
}

}  // namespace
}  // namespace larkspan
