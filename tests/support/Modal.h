#pragma once

#include <functional>

#include <QAbstractButton>
#include <QApplication>
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

}  // namespace miravane::testing
