#include "app/startup/Application.h"

#include "app/dialogs/MessageService.h"

#include <QIcon>
#include <QLibraryInfo>

// The application icon and desktop entry live in a static library: make sure they are registered.
static void initApplicationResources()
{
    Q_INIT_RESOURCE(kalvo);
}

namespace kalvo {

TKalvoApplication::TKalvoApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // No display name of its own: Qt would append it to every dialog's title. Titles that name
    // the program use the application name.
    setApplicationName(QStringLiteral("Kalvo"));
    setOrganizationName(QStringLiteral("Kalvo"));
    if (FQtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&FQtTranslator);
    initApplicationResources();
    // The installed icon when the desktop has it, else the one built in; the desktop entry's name
    // lets the desktop match windows to the entry.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("kalvo"), QIcon(QStringLiteral(":/kalvo/kalvo.svg"))));
    setDesktopFileName(QStringLiteral("kalvo"));
}

bool TKalvoApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowFailure(e);
    } catch (...) {
        ShowMessageBox(QStringLiteral("Unknown error"), MB_ICONERROR);
    }
    return false;
}

} // namespace kalvo
