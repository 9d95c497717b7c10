// Key codes and shift masks as the window's key handlers take them.
#pragma once

#include <Qt>

namespace larkspan {

// Codes of the keys the window's key handlers read.
enum KeyCode : int {
  kKeyPageUp = 33,
  kKeyPageDown = 34,
  kKeyEnd = 35,
  kKeyHome = 36,
  kKeyUp = 38,
  kKeyDown = 40,
  kKeyF4 = 115,
};

// Shift mask bits: which modifier keys are held.
enum ShiftMask : int { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

// The code of a Qt key among those above; 0 for any other key.
int KeyCodeOf(int qtKey);
// The shift mask of Qt's keyboard modifiers.
int ShiftMaskOf(Qt::KeyboardModifiers modifiers);

}  // namespace larkspan
