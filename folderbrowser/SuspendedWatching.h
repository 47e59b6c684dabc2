#pragma once
// Watching of a control (the tree or the list) and of its linked controls is off for as
// long as this lives: what the program changes itself it shows itself.
template <typename Control>
class SuspendedWatching {
public:
    explicit SuspendedWatching(Control& control) : control_(control) { control_.SuspendWatching(true); }
    ~SuspendedWatching() { control_.ResumeWatching(true); }
    SuspendedWatching(const SuspendedWatching&) = delete;
    SuspendedWatching& operator=(const SuspendedWatching&) = delete;

private:
    Control& control_;
};
