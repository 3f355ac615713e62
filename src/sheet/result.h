#pragma once

#include <string>
#include <utility>
#include <variant>

namespace glyphsheet {

/// A failure with a message for the user (names the file or value and the reason).
struct Error {
  std::string message;
};

/// Either a value or an Error; never loses the reason of a failure.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Error error) : state_(std::move(error)) {}

  /// True when the result holds a value.
  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  /// The value; only valid when ok().
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }

  /// The failure message; only valid when !ok().
  const std::string& error() const { return std::get<1>(state_).message; }

 private:
  std::variant<T, Error> state_;
};

/// The value of a Status that succeeded.
struct Done {};

/// Success or a failure message, for operations that produce no value.
using Status = Result<Done>;

/// A successful Status.
inline Status Ok() { return Done{}; }

}  // namespace glyphsheet
