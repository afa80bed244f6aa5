// The program's one window: the fixture-unit entry, the calculate button, the
// result, the three copy buttons with their water switches, the switch that
// keeps the window on top, the scale box, the news box and the logo.
#pragma once

#include <string>

#include "Button.h"
#include "Edit.h"
#include "Form.h"
#include "Image.h"
#include "Label.h"
#include "Timer.h"
#include "NewsLoader.h"
#include "Win11Button.h"
#include "WinHttpTransport.h"

// Where the news box gets its text: the maker's server with the product's time
// limits, over the system's HTTP library. Tests point the window at a local
// server with shorter limits, or at a library that cannot serve.
struct TNewsServer {
    std::string Origin{ostrafel::NewsOrigin()};
    ostrafel::HttpLimits Limits{};
    std::wstring HttpLibrary{ostrafel::kWinHttpLibrary};
};

class TForm1 : public TForm {
  public:
    explicit TForm1(TComponent* AOwner, TNewsServer newsServer = {});
    ~TForm1() override;

    // The controls, owned by the form. The numbered names stay as they are;
    // on screen, from the top:
    //   Label2, Button2  caption "copy to AutoCAD, format 1" and its copy button
    //                    (shows "FORM 1" until the first result, then "SFU=...")
    //   Label3, Button3  the same for format 2 ("GPM=...")
    //   Label4, Button4  the same for format 3 ("... SFU → ... GPM")
    //   Label6, Label7   captions "cold water" and "hot water" of CheckBoxCold
    //                    and CheckBoxHot, the copy texts' water prefixes
    //   Label5           caption "keep the program on top" of CheckBoxTop
    //   Image1           the logo, bottom left
    // Label1 is the title at the top.
    TEdit* EditScale;
    TLabel* Label1;
    TEdit* EditSFU;
    TWin11Button* Calculate;
    TEdit* EditGPM;
    TLabel* Label2;
    TButton* Button2;
    TLabel* Label3;
    TButton* Button3;
    TLabel* Label4;
    TButton* Button4;
    TLabel* Label6;
    TCheckBox* CheckBoxCold;
    TLabel* Label7;
    TCheckBox* CheckBoxHot;
    TLabel* Label5;
    TCheckBox* CheckBoxTop;
    TMemo* MemoWidget;
    TImage* Image1;
    TTimer* TimerInternet;
    ostrafel::THTTPClient NetHTTPClient1;

    void FormCreate(TObject* Sender);
    void FormShortCut(TObject* Sender, unsigned Key, bool Repeat, bool& Handled);
    void EditSFUKeyPress(TObject* Sender, wchar_t& Key);
    void EditGPMKeyPress(TObject* Sender, wchar_t& Key);
    void EditScaleExit(TObject* Sender);
    void EditScaleKeyPress(TObject* Sender, wchar_t& Key);
    void CalculateClick(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void CheckBoxTopClick(TObject* Sender);
    void TimerInternetTimer(TObject* Sender);

    // Whether the news server answers at all, whatever the status.
    bool HasInternet();
    // Puts the news text into MemoWidget; a failure leaves the box as it was.
    void LoadWidgetFromServer();

  private:
    std::string FNewsOrigin;
};

extern TForm1* Form1;
