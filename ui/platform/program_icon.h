// The program's icon: a sheet of paper with hexadecimal digits.
#pragma once

#include <QIcon>

namespace larkspan {

QIcon ProgramIcon();

}  // namespace larkspan
