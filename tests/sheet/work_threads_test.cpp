#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <new>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "sheet/work_threads.h"

namespace glyphsheet {
namespace {

// Work shared by four threads, with one share that throws or one helper
// that cannot start: the failure reaches the caller as an exception (never
// std::terminate), and no share runs after RunOnThreads has returned.
TEST(RunOnThreads, FailuresComeBackToTheCallerAfterEveryThreadEnded) {
  enum class Fails { kNothing, kShareThrowsBadAlloc, kShareThrowsOther, kStartFails, kStartOutOfMemory };
  struct Case {
    Fails fails;
    size_t at;           // the share that throws, or the helper start (1-based) that fails
    size_t sharesRun;    // shares that ran to their end
  };
  const Case cases[] = {
      {Fails::kNothing, 0, 4},
      {Fails::kShareThrowsBadAlloc, 0, 3},  // on the calling thread
      {Fails::kShareThrowsBadAlloc, 2, 3},  // on a helper
      {Fails::kShareThrowsOther, 3, 3},
      {Fails::kStartFails, 1, 0},           // no helper started; the caller's share is not run
      {Fails::kStartFails, 3, 2},           // two helpers started and ran
      {Fails::kStartOutOfMemory, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << static_cast<int>(c.fails) << " at " << c.at);
    std::atomic<size_t> ended{0};
    std::atomic<bool> returned{false};
    std::atomic<bool> ranAfterReturn{false};
    size_t starts = 0;
    const ThreadStart start = [&](std::function<void()> body) {
      ++starts;
      if (starts == c.at && c.fails == Fails::kStartFails) {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      }
      if (starts == c.at && c.fails == Fails::kStartOutOfMemory) throw std::bad_alloc();
      return std::thread(std::move(body));
    };
    const auto work = [&](size_t t) {
      // Every share takes a while, so a helper outlives a failure on the caller.
      std::this_thread::sleep_for(std::chrono::milliseconds(t == 0 ? 1 : 20));
      if (returned) ranAfterReturn = true;
      if (t == c.at && c.fails == Fails::kShareThrowsBadAlloc) throw std::bad_alloc();
      if (t == c.at && c.fails == Fails::kShareThrowsOther) throw std::runtime_error("share");
      ++ended;
    };
    try {
      RunOnThreads(4, work, start);
      EXPECT_EQ(c.fails, Fails::kNothing);
    } catch (const std::bad_alloc&) {
      EXPECT_TRUE(c.fails == Fails::kShareThrowsBadAlloc || c.fails == Fails::kStartOutOfMemory);
    } catch (const ThreadStartError& e) {
      EXPECT_EQ(c.fails, Fails::kStartFails);
      EXPECT_STREQ(e.what(), "out of memory: cannot start a thread (Resource temporarily unavailable)");
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(c.fails, Fails::kShareThrowsOther);
      EXPECT_STREQ(e.what(), "share");
    }
    returned = true;
    EXPECT_EQ(ended.load(), c.sharesRun);
    EXPECT_FALSE(ranAfterReturn.load());
  }
}

}  // namespace
}  // namespace glyphsheet
