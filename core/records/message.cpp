#include "records/message.h"

#include "records/number_text.h"

namespace larkspan {

Message InLine(MessageKind kind, std::string_view title, std::int64_t line,
               std::initializer_list<std::string_view> details) {
  Message message{kind, std::string(title), {}, line};
  message.lines.reserve(1 + details.size());
  std::string first(title);
  first.append(" in line: ");
  AppendDecimal(first, line);
  message.lines.push_back(std::move(first));
  for (std::string_view detail : details) message.lines.emplace_back(detail);
  return message;
}

Message InvalidRecord(std::int64_t line) {
  return InLine(MessageKind::InvalidRecord, "Invalid record", line, {"Line will be ignored."});
}

Message UnknownType(std::int64_t line, std::string_view datatype) {
  const std::string type = "Datatype: " + std::string(datatype);
  return InLine(MessageKind::UnknownType, "Unknown datatype", line,
                {type, "Line will be ignored."});
}

std::string JoinLines(const Message& message, std::string_view separator) {
  std::string text;
  for (std::size_t i = 0; i < message.lines.size(); ++i) {
    if (i != 0) text.append(separator);
    text.append(message.lines[i]);
  }
  return text;
}

}  // namespace larkspan
