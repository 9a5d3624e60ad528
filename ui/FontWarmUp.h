#pragma once

#include <thread>

namespace miravane {

// Loads the system's font configuration on a second core while the main thread connects to
// the display. Parsing that configuration is the largest single cost before the first text
// can be measured, and the toolkit would otherwise do it on the main thread, after the
// connection, when the first label asks for its size. Where fonts are not configured this
// way (Windows, macOS), it does nothing.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Waits until the configuration is loaded. Call before the first font is used, so that
    // the toolkit finds it ready instead of loading a second one alongside.
    void finish();

private:
    std::thread loader_;
};

}  // namespace miravane
