#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <thread>

namespace glyphsheet {

/// Pixels of drawing work worth a thread of their own; less is done on the
/// calling thread alone, since starting a thread costs more than it saves.
inline constexpr int64_t kPixelsWorthAThread = int64_t{1} << 18;

/// How many threads to share `pixels` of drawing work among: one per core
/// at most, and none beyond the calling one for small work.
inline size_t ThreadsFor(int64_t pixels) {
  const auto worth = static_cast<size_t>(std::max<int64_t>(1, pixels / kPixelsWorthAThread));
  return std::clamp<size_t>(std::thread::hardware_concurrency(), 1, worth);
}

/// A helper thread could not be started: the system has no memory (or no
/// threads) left for it.
struct ThreadStartError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

/// Starts a thread that runs `body`; throws as std::thread's constructor does.
using ThreadStart = std::function<std::thread(std::function<void()>)>;

/// Runs work(t) for every t in 0 .. count − 1 at once: t = 0 on the calling
/// thread, each other on a thread of its own, and returns when all have
/// ended. Nothing ends the process: when a thread cannot be started, or work
/// throws on any thread, every started thread is still joined and the first
/// failure is thrown here, on the calling thread (ThreadStartError for a
/// thread that could not start). `start` starts the helpers (std::thread
/// when empty).
void RunOnThreads(size_t count, const std::function<void(size_t)>& work,
                  const ThreadStart& start = {});

}  // namespace glyphsheet
