#include "framework/ui/UiHost.h"

namespace {

UiHost* g_host = nullptr;

}  // namespace

UiHost* GetUiHost() { return g_host; }

void SetUiHost(UiHost* host) { g_host = host; }
