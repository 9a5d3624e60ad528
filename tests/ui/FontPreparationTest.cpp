#include <gtest/gtest.h>

#include <QTest>

#include "DesignLook.h"
#include "FontPreparation.h"

namespace miravane {
namespace {

TEST(FontPreparation, StartsOnlyOnceTheWindowHasBeenPaintedAndOnlyOnce) {
    QWidget window;
    window.resize(100, 100);
    int listed = 0;
    prepareFontsAfterFirstPaint(&window, [&listed] {
        ++listed;
        return QList<FontUse>{{QFont(kInstalledSansFamily, 9), QStringLiteral("Again")}};
    });
    QTest::qWait(20);
    EXPECT_EQ(listed, 0) << "not before the window is painted";
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(QTest::qWaitFor([&listed] { return listed == 1; }));
    window.repaint();
    QTest::qWait(20);
    EXPECT_EQ(listed, 1) << "once";
}

}  // namespace
}  // namespace miravane
