#include "platform/LinkOpener.h"

#include <SDL.h>

#include <string>

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

bool IsOpenableLink(std::string_view url) {
  if (url.size() > 2048) return false;
  size_t rest;
  if (StartsWithNoCase(url, "https://")) rest = 8;
  else if (StartsWithNoCase(url, "http://")) rest = 7;
  else return false;
  if (rest >= url.size() || url[rest] == '/' || url[rest] == '?' || url[rest] == '#') return false;
  for (char c : url) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '"' || c == '\'' || c == '\\' || c == '`')
      return false;
  }
  return true;
}

bool OpenLinkInBrowser(std::string_view url) {
  if (!IsOpenableLink(url)) return false;
  // SDL starts the desktop's opener as its own process with the address as one argument.
  const std::string copy(url);
  return SDL_OpenURL(copy.c_str()) == 0;
}
