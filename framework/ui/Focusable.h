#pragma once

// A widget that can hold the keyboard focus of its screen's tab order (edit boxes).
class Focusable {
public:
    virtual ~Focusable() = default;
    virtual void SetFocus(bool focus) = 0;
};
