// Long computations that Ctrl+C interrupts: the work runs on a thread of its
// own without the GIL while the caller checks for signals every 0.1 s.
#pragma once

#include <pybind11/pybind11.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <thread>

namespace orlavex::python {

// The result of WORK, or the Python error a signal handler raised (a
// KeyboardInterrupt) after CANCEL asked the work to stop. WORK must own
// everything it uses: on an interrupt it finishes on its own. TICK, if
// given, runs every 0.1 s with the GIL held (a progress callback); an
// error it raises cancels the work too.
template <class Result>
Result interruptible(std::function<Result()> work, const std::function<void()>& cancel,
                     const std::function<void()>& tick = {}) {
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
    std::future<Result> result = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    for (;;) {
        {
            pybind11::gil_scoped_release unlocked;
            if (result.wait_for(std::chrono::milliseconds(100)) == std::future_status::ready) {
                break;
            }
        }
        if (PyErr_CheckSignals() != 0) {
            if (cancel) cancel();
            throw pybind11::error_already_set();
        }
        if (tick) {
            try {
                tick();
            } catch (...) {
                if (cancel) cancel();
                throw;
            }
        }
    }
    return result.get();
}

}  // namespace orlavex::python
