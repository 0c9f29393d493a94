// Work shared among threads without failing for want of threads: under a
// memory or process limit the system may refuse a new thread, and the work
// then runs on fewer of them (down to the calling thread alone), split the
// same way, so that its results do not change.
#pragma once

#include <functional>

namespace orlavex::measure {

// Runs TASK(0) to TASK(COUNT - 1), each on a thread of its own where the
// system gives one, and returns once all have finished. A task whose thread
// cannot be started runs on the calling thread after task 0. An exception
// from a task on the calling thread leaves once the other threads are done;
// one on another thread ends the program, so such a task keeps its own.
void run_tasks(unsigned count, const std::function<void(unsigned)>& task);

}  // namespace orlavex::measure
