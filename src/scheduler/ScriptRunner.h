#pragma once

namespace scheduler {

// The run queue of scripts as the frame drives it: one step a tick while a script is queued,
// and the user's stop. The script interpreter implements it.
class ScriptRunner {
public:
    virtual ~ScriptRunner() = default;
    virtual bool isQueued() const = 0;
    virtual void ScriptStep() = 0;
    // Empties the run queue; an action in progress finishes first and is not logged.
    virtual void StopRunningScript() = 0;
};

} // namespace scheduler
