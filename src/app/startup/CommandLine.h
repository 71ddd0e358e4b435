#pragma once
// The editor's command line: `kalvo [FILE]`, `kalvo --help`, `kalvo --version`.
#include <QString>
#include <QStringList>

namespace kalvo {

struct TCommandLine {
    enum class TAction { Run, Help, Version, Error };
    TAction Action = TAction::Run;
    QString FileName; // the picture to open after start-up; empty for none
    QString Message;  // for Error: what was wrong
};

// The arguments without the options Qt's application object takes for itself ("-style fusion",
// "-platform xcb", "-reverse" …), up to a "--"; what follows "--" is kept as it is.
QStringList WithoutQtOptions(const QStringList& arguments);

// Reads the arguments after the program name (Qt's own options already removed). The first
// argument that is not an option names the file ("--" makes every following argument a file
// name); further file names are an error, as is an unknown option.
TCommandLine ParseCommandLine(const QStringList& arguments);

// The text `--help` prints.
QString CommandLineUsage();

} // namespace kalvo
