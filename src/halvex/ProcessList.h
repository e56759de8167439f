#pragma once

#include <QString>

#include <sys/types.h>
#include <vector>

namespace halvex {

struct ProcessEntry {
    pid_t pid;
    QString
        image; // the executable's full path, or its bare name where the path is hidden; upper case
};

// The running processes this run may end, sorted by image name: every process but this one,
// the one that started it, and the first process of the system.
std::vector<ProcessEntry> runningProcesses();

// The process a name given on the command line designates, without regard to case or
// trailing blanks: the image name itself, or, for a name with a folder part, an image path
// ending in that name just after a folder separator. 0 when none does.
pid_t findProcess(const std::vector<ProcessEntry> &processes, const QString &name);

} // namespace halvex
