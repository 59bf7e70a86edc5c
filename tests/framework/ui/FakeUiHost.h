#pragma once

#include "framework/ui/UiHost.h"

// A host whose answers the test sets; registered for its lifetime.
class FakeUiHost : public UiHost {
public:
    String folder;
    String version;
    bool links = true;
    int mainScreenCalls = 0;

    FakeUiHost() { SetUiHost(this); }
    ~FakeUiHost() override { SetUiHost(nullptr); }
    FakeUiHost(const FakeUiHost&) = delete;
    FakeUiHost& operator=(const FakeUiHost&) = delete;

    String ProgramFolder() const override { return folder; }
    String Version() const override { return version; }
    bool LinksActive() const override { return links; }
    void SetLinksActive(bool active) override { links = active; }
    void ShowMainScreen() override { ++mainScreenCalls; }
};
