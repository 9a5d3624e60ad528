// The entry of the widget tests: one application object, on the offscreen platform unless the
// environment names another.
#include <gtest/gtest.h>

#include "Application.h"
#include "Modal.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    // The build lists the tests to register them; that needs no toolkit.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    int qtArgc = 1;
    miravane::Application app(qtArgc, argv);
    const miravane::testing::StuckModalWatch failsAModalLeftOpen;
    return RUN_ALL_TESTS();
}
