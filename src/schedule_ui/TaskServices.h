#pragma once

#include <functional>

namespace platform {
class SoundPlayer;
}
namespace scheduler {
class TaskNotices;
}
namespace store {
class Clock;
class Record;
} // namespace store

namespace schedule_ui {

// What the task windows need of the rest of the program.
struct TaskServices {
    const store::Clock &clock;
    platform::SoundPlayer &sound;
    // Performs a task once, now, leaving its schedule alone.
    std::function<void(const store::Record &task)> runNow = nullptr;
    // Tells when the scheduler has changed tasks; nullptr when nothing does.
    const scheduler::TaskNotices *notices = nullptr;
};

} // namespace schedule_ui
