#include "platform/CodePage.h"

#include <array>
#include <cstdint>

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the page equals Latin-1.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decodes one UTF-8 sequence at text[*pos]; answers -1 for a malformed one and skips one byte.
long DecodeUtf8(std::string_view text, size_t* pos) {
  const auto lead = static_cast<unsigned char>(text[*pos]);
  int extra;
  char32_t cp;
  char32_t minimum;
  if (lead < 0x80) {
    ++*pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    ++*pos;
    return -1;
  }
  if (*pos + extra >= text.size()) {
    ++*pos;
    return -1;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(text[*pos + i]);
    if ((b & 0xC0) != 0x80) {
      ++*pos;
      return -1;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++*pos;
    return -1;
  }
  *pos += extra + 1;
  return static_cast<long>(cp);
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

char32_t Cp1252ToCodePoint(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

int Cp1252FromCodePoint(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<int>(codePoint);
  for (size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == codePoint) return static_cast<int>(0x80 + i);
  }
  return -1;
}

bool Utf8ToCp1252(std::string_view utf8, std::string* out, char replacement) {
  out->clear();
  out->reserve(utf8.size());
  bool clean = true;
  size_t pos = 0;
  while (pos < utf8.size()) {
    const long cp = DecodeUtf8(utf8, &pos);
    const int byte = cp < 0 ? -1 : Cp1252FromCodePoint(static_cast<char32_t>(cp));
    if (byte < 0) {
      clean = false;
      out->push_back(replacement);
    } else {
      out->push_back(static_cast<char>(byte));
    }
  }
  return clean;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(Cp1252ToCodePoint(static_cast<unsigned char>(c)), &out);
  return out;
}

std::string Utf16ToCp1252(std::u16string_view text, char replacement) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size() && text[i] != 0; ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      // A surrogate pair lies outside the page; it counts as one character.
      ++i;
      out.push_back(replacement);
      continue;
    }
    const int byte = Cp1252FromCodePoint(unit);
    out.push_back(byte < 0 ? replacement : static_cast<char>(byte));
  }
  return out;
}
