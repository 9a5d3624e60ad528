#pragma once

#include <functional>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace miravane::testing {

// Runs `act` on the next modal window to appear (a message box, the reading), from inside its
// own event loop. Waits at most `timeoutMs`; the returned flag tells whether it ran.
inline std::shared_ptr<bool> onNextModal(std::function<void(QWidget*)> act, int timeoutMs = 5000) {
    auto ran = std::make_shared<bool>(false);
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act), ran, waited, timeoutMs] {
        *waited += poll->interval();
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            *ran = true;
            act(modal);
        } else if (*waited > timeoutMs) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(5);
    return ran;
}

// What a message box said, when the next one appears; it is closed with OK.
struct SeenMessage {
    bool shown = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

inline std::shared_ptr<SeenMessage> closeNextMessageBox() {
    auto seen = std::make_shared<SeenMessage>();
    onNextModal([seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return;
        seen->shown = true;
        seen->caption = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    return seen;
}

// Counts every modal window that opens while it lives, closing each.
class ModalCounter : public QObject {
public:
    ModalCounter() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            // A QPointer, so that a new box at the address of a destroyed one still counts.
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != last_.data()) {
                last_ = modal;
                ++count_;
                modal->close();
            }
        });
        timer_.start(5);
    }
    int count() const { return count_; }

private:
    QTimer timer_;
    QPointer<QWidget> last_;
    int count_ = 0;
};

// A test that waits on a modal window nobody closes would hang until the test runner's own
// limit, saying only "Timeout". While one lives, a modal window left open for longer than any
// test keeps one fails the running test, naming the window and what it says, and is closed so
// that the run goes on.
class StuckModalWatch : public QObject {
public:
    static constexpr int kLongestOpenMs = 8000;

    StuckModalWatch() {
        connect(&timer_, &QTimer::timeout, this, [this] { look(); });
        timer_.start(100);
    }

private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != watched_.data()) {
            watched_ = modal;
            openFor_.start();
            return;
        }
        if (!modal || openFor_.elapsed() < kLongestOpenMs) return;
        ADD_FAILURE() << "waited " << kLongestOpenMs / 1000 << " s with " << describe(modal)
                      << " still open: the test never closed it";
        watched_ = nullptr;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        modal->close();
    }

    static std::string describe(const QWidget* modal) {
        std::string what = std::string("the modal ") + modal->metaObject()->className() + " \"" +
                           modal->windowTitle().toStdString() + "\"";
        if (const auto* box = qobject_cast<const QMessageBox*>(modal)) what += " saying \"" + box->text().toStdString() + "\"";
        return what;
    }

    QTimer timer_;
    QPointer<QWidget> watched_;
    QElapsedTimer openFor_;
};

}  // namespace miravane::testing
