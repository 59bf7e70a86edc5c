#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/ui/Focusable.h"
#include "framework/ui/Widget.h"

// A widget for tests: fills its w×h rectangle when drawn, writes every hook it gets into a
// shared log as "name:Hook args", and lets the test script its answers.
class ProbeWidget : public Widget, public Focusable {
public:
    ProbeWidget(std::vector<std::string>* log, std::string name, int32_t width, int32_t height)
        : log_(log), name_(std::move(name)), width_(width), height_(height) {}
    ~ProbeWidget() override { Log("deleted"); }

    std::function<void(ProbeWidget&)> onCreate;
    std::function<bool(uint32_t message, int32_t x, int32_t y)> onButton;
    std::function<bool(int32_t id, int32_t index)> onTimer;
    std::function<bool()> onUpdate;
    std::function<bool(uint32_t key)> onKeyDown;
    std::function<void(uint32_t character)> onChar;
    std::function<bool(int32_t command)> onCommand;
    std::function<void(bool entered)> onHover;
    bool draws = true;
    bool hasFocus = false;

    const std::string& Name() const { return name_; }

    void Draw() override {
        if (draws) FillRect(Rect{0, 0, width_, height_}, 0x00FFFFFF, true);
    }
    void OnCreate() override {
        if (onCreate) onCreate(*this);
    }
    void OnDestroy() override { Log("Destroy"); }
    bool OnCommand(int32_t command) override {
        Log("Command " + std::to_string(command));
        return onCommand ? onCommand(command) : false;
    }
    bool OnLButtonDown(uint32_t keys, int32_t x, int32_t y) override {
        return Button("LDown", kMsgLButtonDown, x, y);
    }
    bool OnLButtonUp(uint32_t keys, int32_t x, int32_t y) override {
        return Button("LUp", kMsgLButtonUp, x, y);
    }
    bool OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) override {
        return Button("LDbl", kMsgLButtonDblClk, x, y);
    }
    bool OnRButtonDown(uint32_t keys, int32_t x, int32_t y) override {
        return Button("RDown", kMsgRButtonDown, x, y);
    }
    bool OnRButtonUp(uint32_t keys, int32_t x, int32_t y) override {
        return Button("RUp", kMsgRButtonUp, x, y);
    }
    bool OnRButtonDblClk(uint32_t keys, int32_t x, int32_t y) override {
        return Button("RDbl", kMsgRButtonDblClk, x, y);
    }
    void OnMouseMove(uint32_t keys, int32_t x, int32_t y) override { LogAt("Move", x, y); }
    void OnDragMove(uint32_t keys, int32_t x, int32_t y) override { LogAt("DragMove", x, y); }
    void OnDragEnd(uint32_t keys, int32_t x, int32_t y) override { LogAt("DragEnd", x, y); }
    void OnHover(bool entered, uint32_t keys) override {
        Log(entered ? "Enter" : "Leave");
        if (onHover) onHover(entered);
    }
    bool OnKeyDown(uint32_t key, int32_t repeat, uint32_t flags) override {
        Log("Key " + std::to_string(key));
        return onKeyDown ? onKeyDown(key) : false;
    }
    void OnChar(uint32_t character, int32_t repeat, uint32_t flags) override {
        Log("Char " + std::to_string(character));
        if (onChar) onChar(character);
    }
    bool Update() override { return onUpdate ? onUpdate() : false; }
    bool OnTimer(int32_t id, int32_t index) override {
        Log("Timer " + std::to_string(id) + " " + std::to_string(index) + " @" +
            std::to_string(GetLocalTime()));
        return onTimer ? onTimer(id, index) : true;
    }
    void OnCaptureLost() override { Log("CaptureLost"); }
    void SetFocus(bool focus) override {
        hasFocus = focus;
        Log(focus ? "Focus" : "Blur");
    }

private:
    void Log(const std::string& text) {
        if (log_) log_->push_back(name_ + ":" + text);
    }
    void LogAt(const char* what, int32_t x, int32_t y) {
        Log(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
    }
    bool Button(const char* what, uint32_t message, int32_t x, int32_t y) {
        LogAt(what, x, y);
        return onButton ? onButton(message, x, y) : true;
    }

    std::vector<std::string>* log_;
    std::string name_;
    int32_t width_;
    int32_t height_;
};
