#include "sheet/work_threads.h"

#include <exception>
#include <string>
#include <system_error>
#include <vector>

namespace glyphsheet {

void RunOnThreads(size_t count, const std::function<void(size_t)>& work,
                  const ThreadStart& start) {
  if (count == 0) return;
  // One slot per share, so no two threads write the same one.
  std::vector<std::exception_ptr> failures(count);
  const auto share = [&work, &failures](size_t t) {
    try {
      work(t);
    } catch (...) {
      failures[t] = std::current_exception();
    }
  };
  std::vector<std::thread> helpers;
  std::exception_ptr startFailure;
  try {
    // Room for every helper first: a started thread is never destroyed
    // unjoined because its vector could not grow.
    helpers.reserve(count - 1);
    for (size_t t = 1; t < count; ++t) {
      std::function<void()> body = [&share, t] { share(t); };
      helpers.push_back(start ? start(std::move(body)) : std::thread(std::move(body)));
    }
  } catch (const std::system_error& e) {
    startFailure = std::make_exception_ptr(ThreadStartError(
        "out of memory: cannot start a thread (" + e.code().message() + ")"));
  } catch (...) {
    startFailure = std::current_exception();
  }
  if (!startFailure) share(0);
  for (std::thread& helper : helpers) helper.join();
  if (startFailure) std::rethrow_exception(startFailure);
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

}  // namespace glyphsheet
