#pragma once
// Stands in for the screen while it lives: every message box is recorded and answered
// with the next scripted answer (OK, or Yes for a confirmation, when none is left).
#include <deque>
#include <string>
#include <vector>

#include "toolkit/MessageBoxes.h"

class BoxRecorder {
public:
    explicit BoxRecorder(std::deque<int> answers = {});
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
    std::vector<std::string> Texts() const;
    // Runs a callback while a box is up (the box's request is passed), e.g. to check what
    // the program shows meanwhile.
    void OnBox(std::function<void(const MessageBoxRequest&)> callback) { onBox_ = std::move(callback); }

private:
    std::deque<int> answers_;
    std::vector<MessageBoxRequest> boxes_;
    std::function<void(const MessageBoxRequest&)> onBox_;
    MessageBoxes::Handler previous_;
};
