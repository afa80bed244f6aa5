#include "Form.h"

#include <algorithm>
#include <utility>

#include "TabCycle.h"

namespace {

TFormHost* Host = nullptr;  // the application, not owned

void CollectTabStops(const TWinControl& parent, std::vector<TWinControl*>& stops) {
    for (TControl* control : parent.Controls())
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
            if (windowed->TabStop() && windowed->CanFocus())
                stops.push_back(windowed);
            CollectTabStops(*windowed, stops);
        }
}

// Tells the form to run the first of its posted actions.
UINT PostedActionMessage() {
    static const UINT message = RegisterWindowMessageW(L"Ostrafel.PostedAction");
    return message;
}

}  // namespace

TFormHost* TForm::SetHost(TFormHost* host) { return std::exchange(Host, host); }

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    SetColor(clBtnFace);
    CreateHandle();
}

TForm::~TForm() {
    // The window goes first, so that no message reaches the form or its
    // handlers while the controls go.
    DestroyHandle();
    DestroyComponents();
}

void TForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"OstrafelForm";
    // A dialog frame: caption with the close button only, no icon, fixed size.
    params.Style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
    if (HWND owner = Host ? Host->FormOwner() : nullptr)
        params.WndParent = owner;
    else
        params.ExStyle |= WS_EX_APPWINDOW;
}

void TForm::Show(int showCommand) {
    ShowWindow(Handle(), showCommand);
}

void TForm::Close() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

int TForm::ClientWidth() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return client.right;
}

int TForm::ClientHeight() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return client.bottom;
}

void TForm::SetClientSize(int width, int height) {
    FRequestedClientSize = SIZE{width, height};
    // The frame's size depends on the monitor's density; measure it rather
    // than compute it.
    RECT window{};
    GetWindowRect(Handle(), &window);
    const int frameWidth = (window.right - window.left) - ClientWidth();
    const int frameHeight = (window.bottom - window.top) - ClientHeight();
    SetBounds(window.left, window.top, width + frameWidth, height + frameHeight);
}

SIZE TForm::RequestedClientSize() const {
    return FRequestedClientSize.value_or(SIZE{ClientWidth(), ClientHeight()});
}

std::vector<TWinControl*> TForm::TabCycle() const {
    std::vector<TWinControl*> stops;
    CollectTabStops(*this, stops);
    std::stable_sort(stops.begin(), stops.end(), [](const TWinControl* a, const TWinControl* b) {
        return a->TabOrder() < b->TabOrder();
    });
    return stops;
}

void TForm::SelectNext(bool forward) {
    const std::vector<TWinControl*> cycle = TabCycle();
    if (cycle.empty())
        return;
    std::optional<std::size_t> current;
    if (auto found = std::find(cycle.begin(), cycle.end(), FActiveControl); found != cycle.end())
        current = static_cast<std::size_t>(found - cycle.begin());
    cycle[NextInCycle(cycle.size(), current, forward)]->SetFocus();
}

void TForm::Post(std::function<void()> action) {
    FPosted.push_back(std::move(action));
    if (!PostMessageW(Handle(), PostedActionMessage(), 0, 0))
        FPosted.pop_back();
}

bool TForm::TakesInput() const {
    return HandleAllocated() && IsWindowEnabled(Handle()) && FModalBoxes == 0;
}

bool TForm::DialogKey(WPARAM key, LPARAM keyData) {
    if (!TakesInput())
        return false;
    if (OnShortCut) {
        const std::weak_ptr<const void> alive = Alive();
        bool handled = false;
        // Bit 30 of the key data: the key was already down.
        RaiseEvent(OnShortCut, this, static_cast<unsigned>(key), (keyData & (1 << 30)) != 0,
                   handled);
        // A shortcut that closed the form for good has been handled.
        if (handled || alive.expired())
            return true;
    }
    if (key != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    // Keyboard use: let the controls show their focus cues.
    SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SelectNext(GetKeyState(VK_SHIFT) >= 0);
    return true;
}

void TForm::FocusChanged(TWinControl* control) {
    TWinControl* previous = std::exchange(FActiveControl, control);
    if (previous && previous != control)
        Exit(*previous);
}

void TForm::ControlDestroying(TWinControl* control) {
    if (FActiveControl == control)
        FActiveControl = nullptr;
}

const TAccessibilityLibrary* TForm::Accessibility() {
    return Host ? Host->Accessibility() : nullptr;
}

void TForm::FocusActiveControl() {
    // A control whose window is being rebuilt gets the focus back itself.
    if (FActiveControl && !FActiveControl->HandleAllocated())
        return;
    if (FActiveControl && FActiveControl->CanFocus()) {
        FActiveControl->SetFocus();
        return;
    }
    const std::vector<TWinControl*> cycle = TabCycle();
    if (!cycle.empty())
        cycle.front()->SetFocus();
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PostedActionMessage()) {
        if (FPosted.empty())
            return 0;
        // Off the queue first: the action may destroy the form.
        const std::function<void()> action = std::move(FPosted.front());
        FPosted.pop_front();
        action();
        return 0;
    }
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam && !FShown) {
            FShown = true;
            const std::weak_ptr<const void> alive = Alive();
            RaiseEvent(OnShow, this);
            if (alive.expired())
                return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            FocusActiveControl();
            return 0;
        }
        break;
    case WM_SETFOCUS:
        FocusActiveControl();
        return 0;
    case WM_CLOSE:
        ShowWindow(Handle(), SW_HIDE);
        if (Host)
            Host->FormClosed(*this);
        return 0;
    case WM_DPICHANGED:
        // The window keeps its pixel sizes on every monitor.
        return 0;
    default:
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
