#include "store/Log.h"

Q_LOGGING_CATEGORY(lcStore, "tl97.store")
