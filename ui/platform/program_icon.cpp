#include "platform/program_icon.h"

#include <QPixmap>

namespace {
#include "resources/larkspan.xpm"
}  // namespace

namespace larkspan {

QIcon ProgramIcon() {
  return QIcon(QPixmap(larkspan_xpm));
}

}  // namespace larkspan
