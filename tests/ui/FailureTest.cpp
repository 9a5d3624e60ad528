#include <gtest/gtest.h>

#include <stdexcept>

#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "MessageBoxes.h"
#include "Modal.h"

namespace miravane {
namespace {

TEST(FullStop, AppendedOnlyAfterCharactersThatSortAfterTheStop) {
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        {"", ""},
        {"Out of memory", "Out of memory."},
        {"Is it there?", "Is it there?."},
        {"Already done.", "Already done."},
        {"Stop!", "Stop!"},
        {"Code 42", "Code 42."},
        {"Ends in a space ", "Ends in a space "},
        {"Ends in a dash -", "Ends in a dash -"},
        {"Ends in a slash /", "Ends in a slash /."},
        {"(parenthesis)", "(parenthesis)"},
        {"Deber\xC3\xA1", "Deber\xC3\xA1."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withFullStop(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown)) << c.message;
}

TEST(MessageBoxes, PlainBoxHasTheTitleNoIconAndOneOkButton) {
    auto seen = testing::onNextModal([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Miravane");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ok));
        EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::Ok));
        QTest::keyClick(box, Qt::Key_Escape);  // Esc closes it as OK does
    });
    showMessage("Hello");
    EXPECT_TRUE(*seen);
}

TEST(MessageBoxes, ALongBoxIsCentredOnTheScreenAtItsFinalSize) {
    QRect outer, screen;
    auto seen = testing::onNextModal([&](QWidget* box) {
        outer = box->frameGeometry();
        screen = box->screen()->geometry();
        box->close();
    });
    showErrorMessage(QString("The picture could not be decoded: ").repeated(12));
    ASSERT_TRUE(*seen);
    EXPECT_GT(outer.height(), 100) << "the text wraps to several lines";
    EXPECT_EQ(outer.topLeft(), QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2));
}

TEST(Failures, AnExceptionInAHandlerIsShownAndTheLoopGoesOn) {
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { throw std::runtime_error("The deck is lost"); });
    auto seen = testing::closeNextMessageBox();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(seen->shown);
    EXPECT_EQ(seen->caption, "Miravane");
    EXPECT_EQ(seen->text, "The deck is lost.");
    EXPECT_EQ(seen->icon, QMessageBox::Critical);

    bool later = false;
    QTimer::singleShot(0, [&later] { later = true; });
    QTest::qWait(20);
    EXPECT_TRUE(later) << "the event loop still runs";
}

TEST(Failures, AnythingThrownThatIsNotAnExceptionShowsAnEmptyMessage) {
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { throw 42; });
    auto seen = testing::closeNextMessageBox();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, "");
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
}

}  // namespace
}  // namespace miravane
