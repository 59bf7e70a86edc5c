#pragma once

// The common base of objects handed to an owner that attaches them once (screens to the screen
// manager, effects to a widget): the owner is stored, then the object's OnAttach runs.
template <class Owner>
class Attachable {
public:
    virtual ~Attachable() = default;

    void Attach(Owner* owner) {
        owner_ = owner;
        OnAttach();
    }

    Owner* GetOwner() const { return owner_; }

protected:
    virtual void OnAttach() = 0;

private:
    Owner* owner_ = nullptr;
};
