#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
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

}  // namespace glyphsheet
