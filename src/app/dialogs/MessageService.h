#pragma once
// Message boxes with the platform flag values: 16 error icon, 48 exclamation, 64 information, 36 Yes/No with the
// question icon, 51 Yes/No/Cancel with exclamation, 0 plain OK. Results: 1 OK, 6 Yes, 7 No,
// 2 Cancel. The caption is the application title. Every message the program shows goes through
// here, so tests can answer them.
#include <QString>

#include <exception>
#include <functional>

namespace kalvo {

constexpr int MB_OK = 0;
constexpr int MB_ICONERROR = 16;
constexpr int MB_ICONEXCLAMATION = 48;
constexpr int MB_ICONINFORMATION = 64;
constexpr int MB_YESNO_QUESTION = 36;
constexpr int MB_YESNOCANCEL_EXCLAMATION = 51;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

int ShowMessageBox(const QString& text, int flags);

// The text shown for a failure that ends a command: the exception's message, or a sentence of
// its own when memory ran out (std::bad_alloc's text means nothing to a user).
QString FailureText(const std::exception& e);
// Shows FailureText(e) with the error icon.
void ShowFailure(const std::exception& e);

// Replaces the message box with handler (tests); an empty handler restores the real one.
using TMessageHandler = std::function<int(const QString& text, int flags)>;
void SetMessageHandler(TMessageHandler handler);

} // namespace kalvo
