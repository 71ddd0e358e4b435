// Kalvo: the program entry. Creates the main window and runs the message loop until it closes.
#include "app/Application.h"
#include "app/MainForm.h"

int main(int argc, char** argv)
{
    kalvo::TKalvoApplication app(argc, argv);
    kalvo::TKalvoMainForm form;
    form.show();
    return app.exec();
}
