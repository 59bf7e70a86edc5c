#include "framework/app/MessageBoxes.h"

#include "framework/app/AppGlobals.h"
#include "platform/WindowMessages.h"

namespace {
WindowBackend* g_backend = nullptr;

int32_t ShowText(const String& text, uint32_t type) {
  if (g_backend == nullptr) return IDOK;
  return ShowMessageBox(*g_backend, text, type);
}
}  // namespace

int32_t ShowMessageBox(WindowBackend& backend, const String& text, uint32_t type) {
  const int length = text.Length() < kMessageBoxTextLimit ? text.Length() : kMessageBoxTextLimit;
  return backend.MessageBox(std::string_view(text.CStr(), static_cast<size_t>(length)),
                            Globals().title.CStr(), type);
}

void SetMessageBoxBackend(WindowBackend* backend) { g_backend = backend; }

WindowBackend* MessageBoxBackend() { return g_backend; }

int32_t MessageBoxExeId(int stringId, uint32_t type) {
  String text;
  text.LoadExeString(stringId);
  return ShowText(text, type);
}

int32_t MessageBoxResId(int stringId, uint32_t type) {
  String text;
  text.LoadResString(stringId);
  return ShowText(text, type);
}
