#pragma once
// Message boxes owned by no window, captioned with the title. Texts are cut to 511 characters,
// the room the classic boxes had.
#include <cstdint>

#include "framework/core/String.h"
#include "platform/WindowBackend.h"

inline constexpr int kMessageBoxTextLimit = 511;

// Shows `text` through `backend`.
int32_t ShowMessageBox(WindowBackend& backend, const String& text, uint32_t type);

// The backend the window-less boxes below use; the application sets it at start-up. Without
// one the boxes answer IDOK and show nothing.
void SetMessageBoxBackend(WindowBackend* backend);
WindowBackend* MessageBoxBackend();

// A text of the executable's, respectively the asset pack's, string table.
int32_t MessageBoxExeId(int stringId, uint32_t type);
int32_t MessageBoxResId(int stringId, uint32_t type);
