#pragma once

#include <QString>

#include <utility>
#include <variant>

// What went wrong, in words: `message` is the error's description, `details` its further
// information (the store's fatal message prints both). `reason` is the cause alone, for a
// caller that says what failed in its own words ("the disk is full"); empty when unknown.
// Neither holds SQL or result codes: those go to the log where the failure is met.
struct Error {
    QString message;
    QString details;
    QString reason = {};
};

// A value or an error (C++20 has no std::expected). Used at every boundary that can fail:
// store operations, file reading and writing, parsing files.
template <class T>
class Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<T>(state_); }
    const T& value() const& { return std::get<T>(state_); }
    // By value from a temporary, so that `for (auto& x : fetch().value())` does not dangle.
    T value() && { return std::get<T>(std::move(state_)); }
    const Error& error() const { return std::get<Error>(state_); }

private:
    std::variant<T, Error> state_;
};

template <>
class Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return error_; }

private:
    Error error_;
    bool failed_ = false;
};
