#pragma once
// The application object: sets the application title, loads Qt's Japanese translation for Qt's
// own texts (standard buttons, the colour and file dialogs, context menus) and is the top-level
// error display — a failure that escapes an event handler is shown with its message and the
// program runs on.
#include <QApplication>
#include <QTranslator>

namespace kalvo {

class TKalvoApplication : public QApplication {
public:
    TKalvoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    QTranslator FQtTranslator;
};

} // namespace kalvo
