// Key codes and shift masks as the window's key handlers take them.
#pragma once

#include <Qt>

namespace larkspan {

// Key codes of the keys the window handles.
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

// The key code of a Qt key: navigation and editing keys, letters, digits and
// function keys; 0 for a key without a code.
int KeyCodeOf(int qtKey);
// The shift mask of Qt's keyboard modifiers.
int ShiftMaskOf(Qt::KeyboardModifiers modifiers);

}  // namespace larkspan
