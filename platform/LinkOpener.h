#pragma once
// Web links handed to the desktop's browser.
#include <string_view>

// Whether a text may be opened as a link: an http:// or https:// address with a host, made only
// of printable ASCII without blanks or quotes, at most 2048 characters.
bool IsOpenableLink(std::string_view url);

// Opens an openable link with the desktop's handler, started directly (never through a shell);
// false for anything else or when no handler could be started.
bool OpenLinkInBrowser(std::string_view url);
