#include "ui/program_icon.h"

#include <QPixmap>

namespace {
#include "ui/resources/larkspan.xpm"
}  // namespace

namespace larkspan {

QIcon ProgramIcon() {
  return QIcon(QPixmap(larkspan_xpm));
}

}  // namespace larkspan
