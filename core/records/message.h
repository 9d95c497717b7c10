// Warnings and errors of a scan run: a title and lines of text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace larkspan {

enum class MessageKind : std::uint8_t {
  UnknownType,    // a record type the listing does not decode
  InvalidRecord,  // a record whose fields are not hexadecimal where they must be
  Fault,          // an integrity fault found by the record checks
  Overlap,        // data written again with other values (a fault too)
  Remark,         // a remark of the record checks about the file that is no fault
  FileError,      // the file cannot be opened or read
};

struct Message {
  MessageKind kind;
  std::string title;
  std::vector<std::string> lines;
  std::int64_t line = -1;  // the line of the file it is about; -1 for the whole file
};

// "<title> in line: N" as the first line, then each of `details` on a line of
// its own.
Message InLine(MessageKind kind, std::string_view title, std::int64_t line,
               std::initializer_list<std::string_view> details);

// "Invalid record in line: N", "Line will be ignored.": a record whose fields are
// not hexadecimal where they must be.
Message InvalidRecord(std::int64_t line);

// "Unknown datatype in line: N", "Datatype: TT", "Line will be ignored.": a record
// type that is not decoded, with the type's two characters as they stand.
Message UnknownType(std::int64_t line, std::string_view datatype);

// The lines of `message` joined by `separator`: "; " on the console, a line
// break in a message box.
std::string JoinLines(const Message& message, std::string_view separator);

}  // namespace larkspan
