#pragma once
// Root of the program's object types, and the event shapes shared by all components:
// every event is a callback that takes its sender first.
#include <functional>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject& sender)>;

// Invokes an event only when it is assigned.
template <typename Event, typename... Args>
void Raise(const Event& event, Args&&... args) {
    if (event) event(std::forward<Args>(args)...);
}
