#pragma once

#include "store/Record.h"
#include "store/StoreError.h"

#include <vector>

namespace store {
class Connection;
}

namespace script {

// A task's script lines in sequence order.
store::StoreError readScriptLines(store::Connection &c, qint64 taskId,
                                  std::vector<store::Record> *lines);

// The highest sequence number of the task's lines; 0 when it has none.
qint64 lastScriptSequence(store::Connection &c, qint64 taskId);

} // namespace script
