// The program's entry: read the user's number settings, make the window, run
// the message loop until the window is closed.
#include <windows.h>

#include "Application.h"
#include "FormatSettings.h"
#include "Unit1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before the first window exists.
    ostrafel::GetFormatSettings();
    TApplication application;
    Application->Initialize();
    Application->MainFormOnTaskbar = true;
    // The user's regional settings may have changed: read them again.
    Application->OnRegionalSettingsChange = [](TObject*) { ostrafel::GetFormatSettings(); };
    Application->CreateForm(Form1);
    Application->Run();
    return 0;
}
