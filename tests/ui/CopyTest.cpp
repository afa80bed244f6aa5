// The copy buttons: the three formats with their water prefix on the clipboard,
// and what the user sees when the clipboard cannot be had.
#include <gtest/gtest.h>

#include <windows.h>

#include <future>
#include <thread>

#include "Application.h"
#include "DialogWatch.h"
#include "Exceptions.h"
#include "FailureReport.h"
#include "MainWindowFixture.h"
#include "UiTesting.h"

namespace {

class Copy : public ::testing::Test, public MainWindowFixture {
  protected:
    TButton* Button(int format) {
        TButton* buttons[] = {Window().Button2, Window().Button3, Window().Button4};
        return buttons[format - 1];
    }
};

TEST_F(Copy, ThreeFormatsWithTheWaterPrefix) {
    Calculate(L"22");
    struct Case {
        bool Cold;
        bool Hot;
        const wchar_t* Prefix;
    };
    const wchar_t* formats[] = {L"SFU=22", L"GPM=20.36", L"22 SFU \u2192 20.36 GPM"};
    for (const Case& c : {Case{false, false, L""}, Case{true, false, L"C.W: "},
                          Case{false, true, L"H.W: "}, Case{true, true, L"C.W: "}}) {
        Window().CheckBoxCold->SetChecked(c.Cold);
        Window().CheckBoxHot->SetChecked(c.Hot);
        for (int format = 1; format <= 3; ++format) {
            SCOPED_TRACE(testing::Message() << "cold " << c.Cold << ", hot " << c.Hot << ", format " << format);
            SetClipboardText(L"before");
            Click(*Button(format));
            EXPECT_EQ(ClipboardText(), std::wstring(c.Prefix) + formats[format - 1]);
            EXPECT_EQ(GetClipboardOwner(), Application->Handle());
            EXPECT_EQ(Button(format)->Caption(), formats[format - 1]);
        }
    }
}

TEST_F(Copy, OnlyUnicodeTextIsPlaced) {
    Calculate(L"22");
    Click(*Window().Button2);
    ASSERT_TRUE(OpenClipboard(nullptr));
    // The platform offers the 8-bit texts and the locale from the Unicode text.
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        EXPECT_TRUE(format == CF_UNICODETEXT || format == CF_TEXT || format == CF_OEMTEXT ||
                    format == CF_LOCALE)
            << format;
    }
    CloseClipboard();
}

TEST_F(Copy, WhatTheBoxesHoldNowNotTheLastCalculation) {
    // Before any calculation the result box is empty.
    Type(*Window().EditSFU, L"22");
    Click(*Window().Button3);
    EXPECT_EQ(ClipboardText(), L"GPM=");
    Click(*Window().Button4);
    EXPECT_EQ(ClipboardText(), L"22 SFU \u2192  GPM");

    Calculate(L"22");
    Type(*Window().EditSFU, L"5");
    Click(*Window().Button2);
    EXPECT_EQ(ClipboardText(), L"SFU=225");
    EXPECT_EQ(Window().Button2->Caption(), L"SFU=22");

    Calculate(L"6000");
    Click(*Window().Button3);
    EXPECT_EQ(ClipboardText(), L"GPM=" + Window().EditGPM->Text());
}

// Another thread keeps the clipboard open while it lives.
class ClipboardHolder {
  public:
    ClipboardHolder() {
        std::promise<bool> opened;
        std::future<bool> isOpen = opened.get_future();
        FThread = std::thread([this, &opened] {
            opened.set_value(OpenClipboard(nullptr) != FALSE);
            FRelease.get_future().wait();
            CloseClipboard();
        });
        EXPECT_TRUE(isOpen.get());
    }
    ~ClipboardHolder() {
        FRelease.set_value();
        FThread.join();
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

  private:
    std::promise<void> FRelease;
    std::thread FThread;
};

TEST_F(Copy, ClipboardHeldByAnotherProgramIsReportedAndKeepsItsContent) {
    Calculate(L"22");
    SetClipboardText(L"before");
    {
        ClipboardHolder holder;
        DialogWatch watch;
        Click(*Window().Button2);
        ASSERT_EQ(watch.Seen().size(), 1u);
        const SeenDialog& report = watch.Seen()[0];
        EXPECT_EQ(report.Caption, Application->Title());
        EXPECT_EQ(report.Texts, std::vector<std::wstring>{WithFullStop(
                                    L"Cannot open clipboard: " + SysErrorMessage(ERROR_ACCESS_DENIED))});
        EXPECT_TRUE(report.Icon);
        EXPECT_EQ(report.Owner, Window().Handle());
        EXPECT_FALSE(report.Forced);
    }
    EXPECT_EQ(ClipboardText(), L"before");
    // The window goes on working.
    EXPECT_TRUE(IsWindowEnabled(Window().Handle()));
    Click(*Window().Button2);
    EXPECT_EQ(ClipboardText(), L"SFU=22");
}

}  // namespace
