// RecursiveLock: the plug-in lock and the process-wide locks. A thread may take it again while
// holding it (the dispatcher holds it while the effect's reactions take it).
#pragma once

#include <mutex>

using RecursiveLock = std::recursive_mutex;
using LockGuard = std::lock_guard<RecursiveLock>;
