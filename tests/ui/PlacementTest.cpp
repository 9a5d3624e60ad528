#include <gtest/gtest.h>

#include "Desktop.h"

namespace miravane {
namespace {

TEST(Placement, CentredOnTheDesktopWithTruncatingDivisions) {
    EXPECT_EQ(centredOnDesktop({1024, 768}, {627, 409}), QPoint(198, 179));
    EXPECT_EQ(centredOnDesktop({1920, 1080}, {635, 437}), QPoint(642, 321));
    EXPECT_EQ(centredOnDesktop({3840, 1080}, {627, 409}), QPoint(1606, 335)) << "spanning two monitors";
    EXPECT_EQ(centredOnDesktop({628, 410}, {627, 409}), QPoint(0, 0)) << "1/2 truncates to 0";
}

TEST(Placement, NeverLeftOfOrAboveTheDesktop) {
    EXPECT_EQ(centredOnDesktop({600, 300}, {627, 409}), QPoint(0, 0));
    EXPECT_EQ(centredOnDesktop({640, 300}, {627, 409}), QPoint(6, 0));
}

TEST(Placement, CentredOverTheOwner) {
    EXPECT_EQ(centredOverOwner(QRect(198, 179, 627, 409), {622, 420}), QPoint(200, 174))
        << "2 right of and 5 above the owner";
    EXPECT_EQ(centredOverOwner(QRect(0, 3, 627, 409), {622, 420}), QPoint(2, 0)) << "clamped at the top";
    EXPECT_EQ(centredOverOwner(QRect(-300, 100, 627, 409), {622, 420}), QPoint(0, 95));
}

}  // namespace
}  // namespace miravane
