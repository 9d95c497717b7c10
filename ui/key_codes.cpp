#include "ui/key_codes.h"

#include <array>
#include <utility>

namespace larkspan {

int KeyCodeOf(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // 65..90, as Qt numbers them
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;  // 48..57
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
  static constexpr std::array<std::pair<int, int>, 19> kCodes = {{
      {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},      {Qt::Key_Return, 13},   {Qt::Key_Enter, 13},
      {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},      {Qt::Key_Escape, 27},
      {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33},  {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
      {Qt::Key_Home, 36},     {Qt::Key_Left, 37},    {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
      {Qt::Key_Down, 40},     {Qt::Key_Insert, 45},  {Qt::Key_Delete, 46},
  }};
  for (const auto& [key, code] : kCodes) {
    if (key == qtKey) return code;
  }
  return 0;
}

int ShiftMaskOf(Qt::KeyboardModifiers modifiers) {
  int mask = 0;
  if (modifiers & Qt::ShiftModifier) mask |= kShiftMask;
  if (modifiers & Qt::ControlModifier) mask |= kCtrlMask;
  if (modifiers & Qt::AltModifier) mask |= kAltMask;
  return mask;
}

}  // namespace larkspan
