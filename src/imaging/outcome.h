#pragma once

#include <string>
#include <utility>

namespace imaging {

// The answer of an operation that can fail: success, or failure with a short reason for people
// ("truncated pixel data"). Tests as a bool.
struct Outcome {
    bool ok = false;
    std::string reason;

    explicit operator bool() const { return ok; }
    static Outcome success() { return {true, {}}; }
    static Outcome failure(std::string reason) { return {false, std::move(reason)}; }
};

} // namespace imaging
