#pragma once

#include <exception>

#include <QApplication>

namespace miravane {

// The application object. A failure thrown from any event handler ends up here: it is shown
// in the error box and the event loop goes on.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows a caught failure in the error box: a std::exception with its message; anything else
// with an empty one.
void reportFailure(std::exception_ptr failure);

}  // namespace miravane
