// resources::Result<T> - a parsed value or the reason it was refused.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace resources {

struct ParseError {
    std::string message;
};

template <class T>
class Result {
public:
    Result(T value) : v_(std::move(value)) {}
    Result(ParseError error) : v_(std::move(error)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<0>(v_); }
    T& value() { return std::get<0>(v_); }
    const T* operator->() const { return &value(); }
    const T& operator*() const { return value(); }
    // The reason for the refusal; empty when ok().
    const std::string& error() const {
        static const std::string none;
        return ok() ? none : std::get<1>(v_).message;
    }

private:
    std::variant<T, ParseError> v_;
};

}  // namespace resources
