// The result of an operation that may fail: either its value or the reason it
// failed (by default one line of text for the user). Shaped like C++23's
// std::expected, member names included, so that it can give way to the
// standard type once the program moves to C++23.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace pixdeck {

// Wraps a reason so that it converts to a failed Expected.
template <typename E>
class Unexpected {
 public:
  explicit Unexpected(E error) : error_(std::move(error)) {}
  const E& error() const& { return error_; }
  E&& error() && { return std::move(error_); }

 private:
  E error_;
};
Unexpected(const char*)->Unexpected<std::string>;

// Thrown when the value of a failed result is asked for: a fault of the
// caller, which should have looked first.
class BadExpectedAccess : public std::logic_error {
 public:
  BadExpectedAccess() : std::logic_error("the value of a failed result was used") {}
};

// Converts implicitly from a value and from an Unexpected, as std::expected
// does, so that a function simply returns either.
template <typename T, typename E = std::string>
class [[nodiscard]] Expected {
 public:
  Expected() requires std::is_default_constructible_v<T> : state_(std::in_place_index<0>) {}
  Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  template <typename G>
  Expected(Unexpected<G> failure) : state_(std::in_place_index<1>, E(std::move(failure).error())) {}

  bool has_value() const noexcept { return state_.index() == 0; }
  explicit operator bool() const noexcept { return has_value(); }

  T& value() & {
    Checked();
    return std::get<0>(state_);
  }
  const T& value() const& {
    Checked();
    return std::get<0>(state_);
  }
  T&& value() && {
    Checked();
    return std::get<0>(std::move(state_));
  }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T&& operator*() && { return std::move(*this).value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  template <typename U>
  T value_or(U&& otherwise) const& {
    return has_value() ? std::get<0>(state_) : static_cast<T>(std::forward<U>(otherwise));
  }
  template <typename U>
  T value_or(U&& otherwise) && {
    return has_value() ? std::get<0>(std::move(state_))
                       : static_cast<T>(std::forward<U>(otherwise));
  }

  // The reason; only for a failed result.
  const E& error() const& { return std::get<1>(state_); }
  E&& error() && { return std::get<1>(std::move(state_)); }

 private:
  void Checked() const {
    if (!has_value()) {
      throw BadExpectedAccess();
    }
  }

  std::variant<T, E> state_;
};

// A result without a value: done, or the reason it was not.
template <typename E>
class [[nodiscard]] Expected<void, E> {
 public:
  Expected() = default;
  template <typename G>
  Expected(Unexpected<G> failure) : error_(E(std::move(failure).error())) {}

  bool has_value() const noexcept { return !error_.has_value(); }
  explicit operator bool() const noexcept { return has_value(); }
  void value() const {
    if (!has_value()) {
      throw BadExpectedAccess();
    }
  }

  const E& error() const& { return *error_; }
  E&& error() && { return std::move(*error_); }

 private:
  std::optional<E> error_;
};

}  // namespace pixdeck
