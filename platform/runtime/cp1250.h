#pragma once
// Code page 1250 (Central European), the byte encoding of the station's text files, device
// texts and QR payloads. Conversion both ways against UTF-8.
#include <string>
#include <string_view>

// Every byte maps to one character; the five bytes without a character map to the C1 control of
// the same value, so any byte string survives a round trip.
std::string Cp1250ToUtf8(std::string_view bytes);

// Characters without a byte in the code page become '?'; malformed UTF-8 sequences become '?'.
std::string Utf8ToCp1250(std::string_view utf8);

// The Unicode code point of one code page byte, and the byte of a code point (or 0 when none).
char32_t Cp1250ToCodePoint(unsigned char byte);
unsigned char CodePointToCp1250(char32_t cp);
