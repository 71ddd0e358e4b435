#include "app/Application.h"

#include "app/MessageService.h"

namespace kalvo {

TKalvoApplication::TKalvoApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Kalvo"));
    setApplicationDisplayName(QStringLiteral("Kalvo"));
    setOrganizationName(QStringLiteral("Kalvo"));
}

bool TKalvoApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowMessageBox(QString::fromUtf8(e.what()), MB_ICONERROR);
    } catch (...) {
        ShowMessageBox(QStringLiteral("Unknown error"), MB_ICONERROR);
    }
    return false;
}

} // namespace kalvo
