#pragma once
// The private folder for the program's run-time files (its lock and socket).
#include <string>
#include <string_view>

// $QUILLOMAR_HOME/run when that variable is set, else $XDG_RUNTIME_DIR/<name>, else
// /tmp/<name>-<uid>. The folder is created with mode 0700 when missing and accepted only when it
// is a real directory (not a link) owned by this user that no one else may write. Empty when
// no such folder can be had.
std::string RuntimeFolder(std::string_view name);

// Creates `path` (mode 0700) when missing and checks it as above.
bool EnsurePrivateFolder(const std::string& path);
