#pragma once
// Small result type for core operations: a value or an error that the caller
// shows.  The core never reports on its own.

#include <string>
#include <utility>
#include <variant>

namespace zerlant {

struct Error {
    std::string message;  // what went wrong, for a person
    std::string path;     // the file concerned, when there is one

    std::string describe() const { return path.empty() ? message : path + ": " + message; }
};

template <typename T>
class Result {
  public:
    Result(T value) : data_(std::move(value)) {}
    Result(Error error) : data_(std::move(error)) {}

    bool ok() const { return data_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(data_); }
    const T& value() const& { return std::get<0>(data_); }
    T&& value() && { return std::get<0>(std::move(data_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const { return std::get<1>(data_); }

  private:
    std::variant<T, Error> data_;
};

struct Done {};
// The outcome of an operation that gives nothing back but may fail.
using Status = Result<Done>;
inline Status success() {
    return Done{};
}

}  // namespace zerlant
