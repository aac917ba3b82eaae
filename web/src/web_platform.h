// What the page shows and asks, gathered for the next answer to JavaScript: the page
// cannot open a modal box in the middle of a run, so message boxes are queued and
// shown when the command (or slice) returns, and the "Input value" box is a
// resumable exit (Platform::inputReady) instead of a call that blocks.
#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "debugger/debug_session.h"
#include "machine/machine.h"
#include "platform/platform.h"

namespace verdin::web {

class WebPlatform : public HeadlessPlatform {
public:
    // Messages shown since the page last took them.
    std::vector<Message> pending;
    // The request the run is waiting on, while it waits.
    std::optional<ValueRequest> request;
    // Answers the page gave, taken by the next inputValue; nullopt is Cancel.
    std::deque<std::optional<std::string>> answers;
    // When set, a slice ends (DebugSession::pause) at the first pump past `deadline`.
    DebugSession* session = nullptr;
    Machine* machine = nullptr;
    std::chrono::steady_clock::time_point deadline{};
    // Without a page behind it (the tests under Node), input is answered from
    // `answers` at once and Cancel when they run out, as verdin-cli does.
    bool deferInput = true;

    void showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) override {
        HeadlessPlatform::showMessageWithHint(kind, text, hint);
        pending.push_back(messages.back());
        if (messages.size() > 64) messages.erase(messages.begin());
    }

    bool inputReady(const ValueRequest& r) override {
        if (!deferInput || !answers.empty()) return true;
        request = r;
        return false;
    }

    std::optional<std::string> inputValue(const ValueRequest&) override {
        request.reset();
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }

    void pumpEvents() override {
        if (session == nullptr || machine == nullptr) return;
        // The core pumps every 15 ms; a slice is shorter, so every 1024 lines ask again.
        machine->pumpAtNextCheck();
        if (std::chrono::steady_clock::now() >= deadline) session->pause();
    }
};

}  // namespace verdin::web
