// Objects, ownership and event types of the widget layer.
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TObject {
  public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
// Key is one UTF-16 code unit; a handler drops it by setting it to U+0000.
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;

// A key pressed (a virtual-key code), Repeat when it is held down and repeating;
// a handler that sets Handled keeps the key from the control with the focus.
using TShortCutEvent =
    std::function<void(TObject* Sender, unsigned Key, bool Repeat, bool& Handled)>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// The MK_* flags that came with the mouse message.
using TShiftState = unsigned;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

// Runs a handler from a copy of the event: a handler that destroys the object
// that holds the event, and so the event itself, still finishes on its own
// intact state.
template <class Event, class... Args> void RaiseEvent(const Event& event, Args&&... args) {
    if (!event)
        return;
    const Event handler = event;
    handler(std::forward<Args>(args)...);
}

// An event handler that calls a member function of object.
template <class T, class... Args>
std::function<void(Args...)> Bind(T* object, void (T::*method)(Args...)) {
    return [object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); };
}

// A component destroys the components it owns, the last one made first.
class TComponent : public TObject {
  public:
    explicit TComponent(TComponent* AOwner) : FOwner(AOwner) {}
    ~TComponent() override { DestroyComponents(); }

    TComponent* Owner() const { return FOwner; }

    // Expires when the component is destroyed: code that ran a handler that
    // may have destroyed it asks this before it touches the component again.
    std::weak_ptr<const void> Alive() const { return FAlive; }

    // Takes ownership of component, which must have been made with this owner.
    template <class T>
    T* InsertComponent(std::unique_ptr<T> component) {
        T* raw = component.get();
        FComponents.push_back(std::move(component));
        return raw;
    }

  protected:
    // Destroys the owned components now, for owners that must outlive them.
    void DestroyComponents();

  private:
    TComponent* FOwner;  // not owned
    std::vector<std::unique_ptr<TComponent>> FComponents;
    std::shared_ptr<const void> FAlive = std::make_shared<char>();
};

// Makes a T owned by owner: new T(owner, args...), destroyed with the owner.
template <class T, class... Args>
T* MakeOwned(TComponent* owner, Args&&... args) {
    return owner->InsertComponent(std::make_unique<T>(owner, std::forward<Args>(args)...));
}
