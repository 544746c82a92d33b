#pragma once

#include <optional>
#include <string>

namespace zendra::Prefs {

// While one lives, the failures that bridges report on its thread are collected here instead of being
// printed, so that the reader can report them with the name and place of the value.
class BridgeFailureCapture {
public:
    BridgeFailureCapture();
    ~BridgeFailureCapture();
    BridgeFailureCapture(const BridgeFailureCapture&) = delete;
    BridgeFailureCapture& operator=(const BridgeFailureCapture&) = delete;

    // The first failure reported while this capture was the innermost one.
    const std::optional<std::string>& first() const { return first_; }

private:
    friend void printBridgeFailure(const std::string& description);

    BridgeFailureCapture* outer_;
    std::optional<std::string> first_;
};

} // namespace zendra::Prefs
