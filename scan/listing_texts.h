// Fixed texts of a scan run: the beginnings of the listing lines that stand for
// records, and the indicator's text at the end of a run.
#pragma once

#include <array>
#include <string_view>

namespace larkspan {

inline constexpr std::string_view kDataRecordPrefix = "Data record: ";
inline constexpr std::string_view kExtendedAddressPrefix = "Extended address: ";
inline constexpr std::string_view kStartRecordPrefix = "Start record: ";
inline constexpr std::string_view kDoneText = "Done";

// The prefixes above, for front ends that store many listing lines compactly.
inline constexpr std::array<std::string_view, 3> kRecordPrefixes = {
    kDataRecordPrefix, kExtendedAddressPrefix, kStartRecordPrefix};

}  // namespace larkspan
