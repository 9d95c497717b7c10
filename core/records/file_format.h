// The record formats a file may be written in, and how a file tells which one.
//
// A file is an S-record file when its first line that is not blank starts with
// `S` and a decimal digit; every other file is read as Intel HEX.
#pragma once

#include <string_view>

namespace larkspan {

enum class FileFormat : unsigned char { IntelHex, SRecord };

// "ihex" or "srec": the format's name in options and in the JSON.
inline constexpr std::string_view FormatName(FileFormat format) {
  return format == FileFormat::SRecord ? "srec" : "ihex";
}

// True for a line without any character but spaces, tabs and a carriage return.
inline constexpr bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r\f\v") == std::string_view::npos;
}

// The format a file's first line that is not blank says the file is in (its
// spaces removed, as the scan reads lines).
inline constexpr FileFormat FormatOfLine(std::string_view line) {
  const bool srecord = line.size() >= 2 && line[0] == 'S' && line[1] >= '0' && line[1] <= '9';
  return srecord ? FileFormat::SRecord : FileFormat::IntelHex;
}

}  // namespace larkspan
