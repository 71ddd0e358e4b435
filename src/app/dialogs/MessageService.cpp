#include "app/dialogs/MessageService.h"

#include <QApplication>
#include <QMessageBox>

#include <new>

namespace kalvo {

namespace {

TMessageHandler& handlerSlot()
{
    static TMessageHandler handler;
    return handler;
}

int showReal(const QString& text, int flags)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(text);
    const int buttons = flags & 0x0F;
    const int icon = flags & 0xF0;
    box.setIcon(icon == 16       ? QMessageBox::Critical
                    : icon == 32 ? QMessageBox::Question
                    : icon == 48 ? QMessageBox::Warning
                    : icon == 64 ? QMessageBox::Information
                                 : QMessageBox::NoIcon);
    if (buttons == 3)
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    else if (buttons == 4)
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    else if (buttons == 1)
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    else
        box.setStandardButtons(QMessageBox::Ok);
    switch (box.exec()) {
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    case QMessageBox::Cancel: return IDCANCEL;
    default: return IDOK;
    }
}

} // namespace

int ShowMessageBox(const QString& text, int flags)
{
    if (handlerSlot())
        return handlerSlot()(text, flags);
    return showReal(text, flags);
}

void SetMessageHandler(TMessageHandler handler)
{
    handlerSlot() = std::move(handler);
}

QString FailureText(const std::exception& e)
{
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return QStringLiteral("メモリが足りないため，実行できませんでした．");
    return QString::fromUtf8(e.what());
}

void ShowFailure(const std::exception& e)
{
    ShowMessageBox(FailureText(e), MB_ICONERROR);
}

} // namespace kalvo
