// Each test runs the whole program entry, which makes its own application object.
#include <gtest/gtest.h>

#include <stdexcept>

#include <QFile>
#include <QTimer>

#include "Fmainform.h"
#include "Modal.h"
#include "Desktop.h"
#include "Programa.h"

namespace miravane {
namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    }
};

TEST_F(Startup, RunsTheMainWindowUntilItClosesAndExitsWithZero) {
    QString title;
    const int code = runProgram("miravane", [&title] {
        auto form = makeMainForm();
        QTimer::singleShot(50, form.get(), [&title, f = form.get()] {
            title = f->windowTitle();
            EXPECT_TRUE(f->isVisible());
            f->close();  // closing the main window ends the program
        });
        return form;
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(title.startsWith("Orvelle V 1.0 "));
    EXPECT_EQ(QCoreApplication::instance(), nullptr) << "the application object is gone";
}

// The shared objects this process has mapped, one path a line.
QString mappedFiles() {
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) ? QString::fromLatin1(maps.readAll()) : QString();
}

TEST_F(Startup, NoImageFormatPluginIsLoadedToShowTheWindow) {
    if (!QFile::exists("/proc/self/maps")) GTEST_SKIP() << "no /proc to tell what is mapped";
    QString mapped;
    runProgram("miravane", [&mapped] {
        auto form = makeMainForm();
        QTimer::singleShot(50, form.get(), [&mapped, f = form.get()] {
            f->grab();  // everything the window shows, drawn
            mapped = mappedFiles();
            f->close();
        });
        return form;
    });
    ASSERT_FALSE(mapped.isEmpty());
    EXPECT_FALSE(mapped.contains("imageformats/")) << "pictures are read by the program's own decoders";
}

TEST_F(Startup, WithoutADisplayOrAPlatformPluginOneReasonIsGivenAndTheProgramEndsWithoutAborting) {
    const auto startWith = [](const char* platform) {
        qputenv("QT_QPA_PLATFORM", platform);
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        runProgram("miravane", makeMainForm);
        std::exit(0);  // a start that went on as if there were a display
    };
    EXPECT_EXIT(startWith("xcb"), ::testing::ExitedWithCode(1),
                "^miravane: no display to show the window on: [^\n]*[(]DISPLAY is not set[^\n]*\n$");
    // The toolkit's own reason, not the display's: the plugin named, and those there are.
    EXPECT_EXIT(startWith("bogus"), ::testing::ExitedWithCode(1),
                "Could not find the Qt platform plugin \"bogus\"(.|\n)*Available platform plugins are: [^\n]*offscreen");
}

TEST_F(Startup, WhatTheToolkitSaidWhileStartingIsWrittenOnceTheWindowCanShow) {
    const auto startTalkatively = [] {
        qputenv("QT_DEBUG_PLUGINS", "1");  // the toolkit names each plugin folder it looks in
        runProgram("miravane", [] {
            auto form = makeMainForm();
            QTimer::singleShot(0, form.get(), &QWidget::close);
            return form;
        });
        std::exit(0);
    };
    // In a process of its own from the start: a process that has looked for plugins once does not again.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(startTalkatively(), ::testing::ExitedWithCode(0), "checking directory path \"[^\"]*/platforms\"");
}

TEST_F(Startup, AFailureWhileStartingIsShownAndTheProgramStillExitsWithZero) {
    std::shared_ptr<testing::SeenMessage> seen;
    const int code = runProgram("miravane", [&seen]() -> std::unique_ptr<QWidget> {
        seen = testing::closeNextMessageBox();
        throw std::runtime_error("The table could not be laid");
    });
    EXPECT_EQ(code, 0);
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->shown);
    EXPECT_EQ(seen->caption, "Miravane");
    EXPECT_EQ(seen->text, "The table could not be laid.");
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
}

TEST_F(Startup, AFailureThatIsNotAnExceptionIsShownWithAnEmptyMessage) {
    std::shared_ptr<testing::SeenMessage> seen;
    const int code = runProgram("miravane", [&seen]() -> std::unique_ptr<QWidget> {
        seen = testing::closeNextMessageBox();
        throw 7;
    });
    EXPECT_EQ(code, 0);
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, "");
}

}  // namespace
}  // namespace miravane
