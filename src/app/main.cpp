// Kalvo: the program entry. Answers --help, --version and usage errors without a display,
// otherwise creates the main window, opens the picture named on the command line (as Open would;
// it is read while the toolkit and the window start) and runs the message loop until the window
// closes.
#include "app/files/PictureLoad.h"
#include "app/mainform/MainForm.h"
#include "app/startup/Application.h"
#include "app/startup/CommandLine.h"

#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>

#ifndef KALVO_VERSION
#define KALVO_VERSION "unknown"
#endif

namespace {

// The command line is read before Qt starts, so that --help, --version and usage errors need no
// display. Returns the line to run with, or the exit status when it is already answered.
std::optional<int> answeredWithoutWindow(int argc, char** argv, kalvo::TCommandLine& line)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    line = kalvo::ParseCommandLine(kalvo::WithoutQtOptions(args));
    switch (line.Action) {
    case kalvo::TCommandLine::TAction::Help:
        std::printf("%s\n", kalvo::CommandLineUsage().toLocal8Bit().constData());
        return 0;
    case kalvo::TCommandLine::TAction::Version: std::printf("Kalvo %s\n", KALVO_VERSION); return 0;
    case kalvo::TCommandLine::TAction::Error:
        std::fprintf(stderr, "kalvo: %s\n%s\n", line.Message.toLocal8Bit().constData(),
                     kalvo::CommandLineUsage().toLocal8Bit().constData());
        return 2;
    case kalvo::TCommandLine::TAction::Run: break;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    kalvo::TCommandLine line;
    if (const std::optional<int> status = answeredWithoutWindow(argc, argv, line))
        return *status;
    const QString fileName = line.FileName.isEmpty() ? QString() : QFileInfo(line.FileName).absoluteFilePath();
    std::shared_ptr<kalvo::TPictureLoad> started;
    if (!fileName.isEmpty())
        started = std::make_shared<kalvo::TPictureLoad>(fileName.toStdString());
    kalvo::TKalvoApplication app(argc, argv);
    kalvo::TKalvoMainForm form;
    form.show();
    if (started) {
        // Once the window is up, so that a message about the file has its owner on the screen.
        QTimer::singleShot(0, &form, [&form, fileName, started] { form.OpenImageFile(fileName, started.get()); });
    }
    return app.exec();
}
