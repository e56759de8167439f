#pragma once

#include <QIcon>

namespace scheduler {

// The program's clock icon: frame 0 at rest; frames 1 to 3 turn its hand while a script runs.
// While keys are being sent the hand is red.
QIcon clockIcon(int frame = 0, bool sendingKeys = false);

} // namespace scheduler
