#pragma once

#include <QApplication>

#include <functional>

// The program's application object: no failure that escapes an event handler ends the
// program; it shows the common error box and the event loop goes on.
class SafeApplication : public QApplication {
    Q_OBJECT
public:
    SafeApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

namespace shell {
// Runs one delivery; what escapes it is shown in the common error box, and false returned.
bool deliverGuarded(const std::function<bool()> &deliver);
} // namespace shell
