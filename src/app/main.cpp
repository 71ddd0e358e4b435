// Kalvo: the program entry. Answers --help and --version without a display, otherwise creates
// the main window, opens the picture named on the command line (as Open would) and runs the
// message loop until the window closes.
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/mainform/MainForm.h"
#include "startup/HugePageMalloc.h"

#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstring>

#ifndef KALVO_VERSION
#define KALVO_VERSION "unknown"
#endif

namespace {

// --help and --version work without a display, before Qt looks for one.
bool answeredWithoutWindow(int argc, char** argv, int& status)
{
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        args << QString::fromLocal8Bit(argv[i]);
    }
    const kalvo::TCommandLine line = kalvo::ParseCommandLine(args);
    if (line.Action == kalvo::TCommandLine::TAction::Help) {
        std::printf("%s\n", kalvo::CommandLineUsage().toLocal8Bit().constData());
        status = 0;
        return true;
    }
    if (line.Action == kalvo::TCommandLine::TAction::Version) {
        std::printf("Kalvo %s\n", KALVO_VERSION);
        status = 0;
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    int status = 0;
    if (answeredWithoutWindow(argc, argv, status))
        return status;
    // Qt's clipboard data and images, and the codec libraries' own buffers, in huge pages: a copy
    // or paste of a 24-megapixel picture takes half the time.
    kalvo::RestartWithHugePageMalloc(argv);
    kalvo::TKalvoApplication app(argc, argv);
    const kalvo::TCommandLine line = kalvo::ParseCommandLine(app.arguments().mid(1));
    if (line.Action == kalvo::TCommandLine::TAction::Error) {
        std::fprintf(stderr, "kalvo: %s\n%s\n", line.Message.toLocal8Bit().constData(),
                     kalvo::CommandLineUsage().toLocal8Bit().constData());
        return 2;
    }
    kalvo::TKalvoMainForm form;
    form.show();
    if (!line.FileName.isEmpty()) {
        const QString fileName = QFileInfo(line.FileName).absoluteFilePath();
        // Once the window is up, so that a message about the file has its owner on the screen.
        QTimer::singleShot(0, &form, [&form, fileName] { form.OpenImageFile(fileName); });
    }
    return app.exec();
}
