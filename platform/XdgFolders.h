#pragma once
// Where the program keeps its files, after the XDG base-directory rules. QUILLOMAR_HOME, when
// set and not empty, moves every one of them under that folder (config, data, cache, machine),
// so tests never touch the user's real files. Results carry no trailing slash.
#include <string>

std::string XdgConfigHome();  // $XDG_CONFIG_HOME, else ~/.config
std::string XdgDataHome();    // $XDG_DATA_HOME, else ~/.local/share
std::string XdgCacheHome();   // $XDG_CACHE_HOME, else ~/.cache
// The machine-wide, read-only configuration folder: /etc/xdg.
std::string XdgMachineConfig();

// Creates a folder and any missing parents, each new one private to the user (mode 0700). True
// when it exists afterwards as a folder, whoever made it.
bool CreateUserFolder(const std::string& path);
