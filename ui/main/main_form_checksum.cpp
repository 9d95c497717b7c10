// The checksum the image and map windows show: one pick for both, kept between
// runs of the program.
#include "checksum/checksum_picker.h"
#include "image/image_window.h"
#include "main/main_form.h"
#include "map/map_window.h"

namespace larkspan {

namespace {

const QString kChecksumKey = QStringLiteral("checksumAlgorithm");

}  // namespace

void Main_Form::ShareChecksumPicker(ChecksumPicker* picker) {
  picker->Pick(platform_.Choice(kChecksumKey));
  connect(picker, &ChecksumPicker::picked, this, [this](const QString& name) {
    platform_.SetChoice(kChecksumKey, name);
    if (Image_Window != nullptr) Image_Window->Checksum_Kind->Pick(name);
    if (Map_Window != nullptr) Map_Window->Checksum_Kind->Pick(name);
  });
}

}  // namespace larkspan
