#include "measure/parallel_tasks.h"

#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace orlavex::measure {

void run_tasks(unsigned count, const std::function<void(unsigned)>& task) {
    if (count == 0) return;
    std::vector<std::jthread> started;
    unsigned first_not_started = 1;
    try {
        started.reserve(count - 1);
        for (; first_not_started < count; ++first_not_started)
            started.emplace_back(task, first_not_started);
    } catch (const std::system_error&) {
        // No thread for this task and those after it: run here below.
    } catch (const std::bad_alloc&) {
        // Neither: the memory for a thread is the system's to refuse too.
    }
    task(0);
    for (unsigned index = first_not_started; index < count; ++index)
        task(index);
}

}  // namespace orlavex::measure
