#include "tests/support/BoxRecorder.h"

BoxRecorder::BoxRecorder(std::deque<int> answers) : answers_(std::move(answers)) {
    previous_ = MessageBoxes::SetHandler([this](const MessageBoxRequest& request) {
        boxes_.push_back(request);
        if (onBox_) onBox_(request);
        if (!answers_.empty()) {
            int answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        return request.buttons == MB_YESNO ? IDYES : IDOK;
    });
}

BoxRecorder::~BoxRecorder() { MessageBoxes::SetHandler(std::move(previous_)); }

std::vector<std::string> BoxRecorder::Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes_) texts.push_back(box.text);
    return texts;
}
