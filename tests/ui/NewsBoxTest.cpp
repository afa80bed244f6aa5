// The main window's news box against the scripted local server: the probe at
// every tick until the server answers, then one fetch whose text fills the box.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestServer.h"
#include "UiTesting.h"
#include "Unit1.h"
#include "WindowPng.h"

namespace {

using ostrafel::testing_support::Hex;
using ostrafel::testing_support::TestServer;
using ostrafel::testing_support::UrlEncode;

const std::string kProbe = "HEAD /";
const std::string kFetch = "GET /APP/api/app-widget-box.php?app=mivr482";

// Ticks quickly, so that a test sees several of them; the product's interval is
// checked once, with the real timer.
constexpr UINT kShortInterval = 50;

// Local failures come at once; these only bound a test that goes wrong.
const ostrafel::HttpLimits kShortLimits{5000, 5000, 5000, 5000};

// A page in UTF-8 with the markup that the box reduces: tags, line-break tags
// and non-breaking spaces.
const std::string kPersianPage =
    "<html><body><p>خبر تازه</p><br>"
    "نسخهٔ&nbsp;تازهٔ برنامه منتشر شد. برای دریافت آن به تارنمای سازنده سر بزنید"
    "<br/>با سپاس</body></html>";
const std::wstring kPersianText =
    L"خبر تازه\r\n"
    L"نسخهٔ تازهٔ برنامه منتشر شد. برای دریافت آن به تارنمای سازنده سر بزنید"
    L"\r\nبا سپاس";

// What the server answers for the news request: body with a content type, as a
// script of the test server.
std::string NewsScript(std::string_view body, std::string_view contentType,
                       std::string_view extra = "") {
    return "body?data=" + Hex(body) + "&ct=" + UrlEncode(contentType) + std::string(extra);
}

// Lets the window run, its timer ticking if it still runs, for a while or until
// done holds.
void PumpFor(
    DWORD milliseconds, const std::function<bool()>& done = [] { return false; }) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done() && GetTickCount64() < end)
        PumpMessages();
}

class NewsBox : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { FServer = std::make_unique<TestServer>(); }
    static void TearDownTestSuite() { FServer.reset(); }

    void SetUp() override {
        FServer->ScriptRoot("status/200");
        FServer->ScriptNews("body");
        FMark = FServer->LogMark();
    }

    // A window of the program on origin, shown as the program shows it.
    TForm1& Open(std::string origin, std::wstring httpLibrary = ostrafel::kWinHttpLibrary) {
        FOwner = std::make_unique<TComponent>(nullptr);
        TForm1* window = MakeOwned<TForm1>(
            FOwner.get(), TNewsServer{std::move(origin), kShortLimits, std::move(httpLibrary)});
        window->Show();
        PumpMessages();
        return *window;
    }
    TForm1& OpenOnServer() { return Open(FServer->Origin("http")); }

    // From now on the window's timer ticks every kShortInterval and the ticks
    // are counted; each still runs the window's handler.
    void CountTicks(TForm1& window) {
        const TNotifyEvent handler = window.TimerInternet->OnTimer();
        window.TimerInternet->SetOnTimer([this, handler](TObject* sender) {
            ++FTicks;
            handler(sender);
        });
        window.TimerInternet->SetInterval(kShortInterval);
    }
    bool TicksPass(int count) {
        const int until = FTicks + count;
        return PumpUntil([&] { return FTicks >= until; });
    }

    // Over several ticks the box stays empty and the probe goes on; between the
    // probes the window takes input as usual.
    void ExpectEmptyBoxWhileProbingGoesOn(TForm1& window) {
        CountTicks(window);
        ASSERT_TRUE(TicksPass(3));
        EXPECT_EQ(window.MemoWidget->Text(), L"");
        EXPECT_TRUE(window.TimerInternet->Enabled());
        EXPECT_TRUE(window.TimerInternet->Running());
        window.EditSFU->SetFocus();
        PostMessageW(window.EditSFU->Handle(), WM_CHAR, L'7', 1);
        PumpMessages();
        EXPECT_EQ(window.EditSFU->Text(), L"7");
    }

    // "METHOD target" of each request that the server got since the mark.
    std::vector<std::string> Requests() const {
        std::vector<std::string> lines;
        for (const auto& request : FServer->RequestsSince(FMark))
            lines.push_back(request.method + ' ' + request.target);
        return lines;
    }
    void Mark() { FMark = FServer->LogMark(); }

    static inline std::unique_ptr<TestServer> FServer;
    std::size_t FMark = 0;
    int FTicks = 0;
    std::unique_ptr<TComponent> FOwner;
};

TEST_F(NewsBox, WithoutAServerTheBoxStaysEmptyAndProbingGoesOn) {
    ExpectEmptyBoxWhileProbingGoesOn(Open("http://127.0.0.1:1")); // nothing listens there
}

// A system without the HTTP library: the server is there, but no request reaches it.
TEST_F(NewsBox, WithoutTheHttpLibraryTheBoxStaysEmptyAndProbingGoesOn) {
    ExpectEmptyBoxWhileProbingGoesOn(
        Open(FServer->Origin("http"), L"ostrafel-no-such-library.dll"));
    EXPECT_TRUE(Requests().empty());
}

TEST_F(NewsBox, TheFirstTickThatReachesTheServerFillsTheBoxAndEndsProbing) {
    // Until the server appears, its port answers with something that is not HTTP.
    FServer->ScriptRoot("garbage");
    FServer->ScriptNews(NewsScript(kPersianPage, "text/html; charset=utf-8"));
    TForm1& window = OpenOnServer();
    CountTicks(window);
    ASSERT_TRUE(TicksPass(2));
    EXPECT_EQ(window.MemoWidget->Text(), L"");
    EXPECT_TRUE(window.TimerInternet->Running());

    Mark();
    FServer->ScriptRoot("status/200");
    ASSERT_TRUE(PumpUntil([&] { return !window.TimerInternet->Enabled(); }));
    EXPECT_EQ(window.MemoWidget->Text(), kPersianText);
    EXPECT_FALSE(window.TimerInternet->Running());
    const int ticks = FTicks;
    PumpFor(10 * kShortInterval);
    EXPECT_EQ(FTicks, ticks);
    EXPECT_EQ(Requests(), (std::vector<std::string>{kProbe, kFetch}));

    // A picture of the filled box, for the developer to look at.
    SaveClientAreaPng(window.Handle(), L"news_box.png");
}

TEST_F(NewsBox, TheWindowsOwnTimerFillsTheBox) {
    FServer->ScriptNews(NewsScript("<p>news</p>", "text/html"));
    TForm1& window = OpenOnServer();
    EXPECT_EQ(window.TimerInternet->Interval(), 3000u);
    EXPECT_EQ(window.MemoWidget->Text(), L"");
    // Generous: the first tick is due three seconds after the window was made.
    PumpFor(30000, [&] { return !window.MemoWidget->Text().empty(); });
    EXPECT_EQ(window.MemoWidget->Text(), L"news");
    EXPECT_FALSE(window.TimerInternet->Enabled());
    EXPECT_EQ(Requests(), (std::vector<std::string>{kProbe, kFetch}));
}

struct FetchCase {
    const char* Name;
    std::string Root; // what the probe gets
    std::string News; // what the fetch gets
    const wchar_t* Shown;
};

// The box held "before" when the tick came; a failed fetch leaves it so.
const FetchCase kFetchCases[] = {
    {"ErrorPage", "status/200",
     NewsScript("<html><h1>Internal error</h1>&nbsp;retry</html>", "text/html", "&status=500"),
     L"Internal error retry"},
    {"ProbeAnsweredWithNotFound", "status/404", NewsScript("a<BR>b", ""), L"a\r\nb"},
    {"ProbeAnsweredWithServerError", "status/500", NewsScript("news", "text/plain"), L"news"},
    {"EmptyBody", "status/200", NewsScript("", "text/html"), L""},
    {"OnlyMarkup", "status/200", NewsScript("<p> <br> </p>", "text/html"), L""},
    {"UnknownCharset", "status/200", NewsScript("news", "text/html; charset=x-nothing"), L"before"},
    {"CorruptGzip", "status/200", NewsScript("corrupt", "text/html", "&ce=gzip&raw=1"), L"before"},
    {"CorruptDeflate", "status/200", NewsScript("corrupt", "text/html", "&ce=deflate&raw=1"),
     L"before"},
    {"FetchNotAnswered", "status/200", "garbage", L"before"},
};

class NewsFetch : public NewsBox, public ::testing::WithParamInterface<FetchCase> {};

TEST_P(NewsFetch, OneTickStopsTheTimerAndFetchesOnce) {
    const FetchCase& c = GetParam();
    FServer->ScriptRoot(c.Root);
    FServer->ScriptNews(c.News);
    TForm1& window = OpenOnServer();
    window.MemoWidget->SetText(L"before");
    window.TimerInternet->SetInterval(kShortInterval);

    window.TimerInternetTimer(window.TimerInternet);
    EXPECT_EQ(window.MemoWidget->Text(), c.Shown);
    EXPECT_FALSE(window.TimerInternet->Enabled());
    EXPECT_FALSE(window.TimerInternet->Running());
    // Never fetched again, whatever came of it.
    PumpFor(10 * kShortInterval);
    EXPECT_EQ(window.MemoWidget->Text(), c.Shown);
    EXPECT_EQ(Requests(), (std::vector<std::string>{kProbe, kFetch}));
}

INSTANTIATE_TEST_SUITE_P(Answers, NewsFetch, ::testing::ValuesIn(kFetchCases),
                         [](const auto& testCase) { return std::string(testCase.param.Name); });

// The text of the news box each time the window has handled its show message,
// just before it appears on screen.
std::vector<std::wstring> gNewsBoxTextsWhenShown;
HWND gWatchedWindow = nullptr;
HWND gWatchedBox = nullptr;

LRESULT CALLBACK RecordNewsBoxWhenShown(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == gWatchedWindow && message->message == WM_SHOWWINDOW &&
        message->wParam)
        gNewsBoxTextsWhenShown.push_back(WindowText(gWatchedBox));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(NewsBoxDesignText, IsGoneBeforeTheWindowIsFirstShown) {
    TComponent owner(nullptr);
    auto* window = MakeOwned<TForm1>(&owner, TNewsServer{"http://127.0.0.1:1", kShortLimits});
    EXPECT_EQ(window->MemoWidget->Text(), L"MemoWidget");
    gWatchedWindow = window->Handle();
    gWatchedBox = window->MemoWidget->Handle();
    HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROCRET, RecordNewsBoxWhenShown, nullptr, GetCurrentThreadId());
    window->Show();
    PumpMessages();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(gNewsBoxTextsWhenShown, std::vector<std::wstring>{L""});
    EXPECT_TRUE(window->TimerInternet->Running());
}

} // namespace
