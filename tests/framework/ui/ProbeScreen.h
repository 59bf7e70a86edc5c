#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/ui/Screen.h"

// A screen for tests: builds its widgets with a scripted function and logs its notices into a
// shared log as "name:Notice".
class ProbeScreen : public Screen {
public:
    ProbeScreen(std::vector<std::string>* log, std::string name, int32_t x = 0, int32_t y = 0)
        : Screen(x, y), log_(log), name_(std::move(name)) {}
    ~ProbeScreen() override { Log("deleted"); }

    std::function<void(ProbeScreen&)> build;
    std::function<bool(int32_t command)> onCommand;
    std::function<void()> onClose;

    void OnAttach() override {
        Log("Attach");
        if (build) build(*this);
    }
    bool OnCommand(int32_t command) override {
        Log("Command " + std::to_string(command));
        return onCommand ? onCommand(command) : false;
    }
    void OnClose() override {
        Log("Close");
        if (onClose) onClose();
    }
    void OnAppActivate(bool active) override { Log(active ? "AppActive" : "AppInactive"); }
    void OnActiveChanged() override { Log(IsActive() ? "Active" : "Inactive"); }
    void OnTransitionIn() override { Log("TransitionIn"); }
    void OnTransitionDone() override { Log("TransitionDone"); }

private:
    void Log(const std::string& text) {
        if (log_) log_->push_back(name_ + ":" + text);
    }

    std::vector<std::string>* log_;
    std::string name_;
};
