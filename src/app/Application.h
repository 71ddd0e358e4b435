#pragma once
// The application object: sets the application title and is the top-level error display — a
// failure that escapes an event handler is shown with its message and the program runs on.
#include <QApplication>

namespace kalvo {

class TKalvoApplication : public QApplication {
public:
    TKalvoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace kalvo
