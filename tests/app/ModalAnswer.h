#pragma once
// Answers the next modal dialog of type T once it is shown: action(dialog) runs inside the
// dialog's event loop and must close it.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace kalvo::test {

template <typename T>
void AnswerModal(std::function<void(T*)> action, int attempts = 200)
{
    QTimer::singleShot(attempts == 200 ? 0 : 10, [action = std::move(action), attempts]() mutable {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog && attempts > 0) {
            AnswerModal<T>(std::move(action), attempts - 1);
            return;
        }
        if (dialog)
            action(dialog);
    });
}

} // namespace kalvo::test
