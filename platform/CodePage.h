#pragma once
// Windows-1252 is the program's 8-bit code page: every String holds it, the packer stores the
// string tables in it, and text input from the window system is converted into it.
#include <string>
#include <string_view>

// The Unicode code point of a 1252 byte. The five bytes 1252 leaves unassigned map to the C1
// controls of the same value, so every byte survives a round trip.
char32_t Cp1252ToCodePoint(unsigned char byte);

// The 1252 byte for a code point, or -1 when the code page has none.
int Cp1252FromCodePoint(char32_t codePoint);

// UTF-8 to 1252. Invalid UTF-8 and characters outside the code page become `replacement`;
// the answer is false when any did.
bool Utf8ToCp1252(std::string_view utf8, std::string* out, char replacement = '?');

std::string Cp1252ToUtf8(std::string_view text);

// UTF-16 to 1252, stopping at a NUL unit; surrogates and unmappable characters become
// `replacement`, one per character.
std::string Utf16ToCp1252(std::u16string_view text, char replacement = '?');
