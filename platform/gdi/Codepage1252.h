#pragma once
// Windows-1252 to Unicode, for the text entry of the drawing layer (glyph lookup and
// face names). Private to the drawing layer.

#include <string>
#include <string_view>

namespace plat {

// The code point of a Windows-1252 byte. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as the
// system's own conversion does.
char32_t CodePointOf1252(unsigned char byte);

// Windows-1252 text as UTF-8.
std::string Utf8From1252(std::string_view text);

}  // namespace plat
