#pragma once
// Small text parsers of the barcode escape syntax and a checksum, offered to the components'
// callers: decimal numbers, bracketed parameters, comma-separated items and CRC-16.
#include <string>
#include <string_view>

// Whether C is one of the characters of S.
bool CharInSet(char C, std::string_view S);

// The decimal number that S holds, with tabs and blanks around it. Reading stops at the first
// other character or before the value would exceed Max. Position becomes 0 when the whole text was
// read and the number is at least Min; else the 1-based position where reading stopped, or the
// length + 1 when S holds no digit. The result is the value read (0 when none).
int StrToDec(std::string_view S, int Min, int Max, int &Position);

// When the character at the 1-based Position is Open, Parameter receives the text up to the
// matching Close and Position moves past Close. A backslash is copied with the character after it;
// when that character is in Nested, everything up to and including the next ']' is copied as well.
// Without an Open there, or without a Close within the first Length characters, Parameter is empty
// and Position stays.
void GetParameter(std::string_view S, int Length, int &Position, std::string &Parameter, char Close,
                  char Open, std::string_view Nested);

// The text of S up to its first unescaped ',', removed from S together with that comma. A
// backslash before ',', '[' or ']' gives that character alone; before any other it stays. With
// Trim, blanks around the item are removed.
std::string GetParameterItem(std::string &S, bool Trim);

// CRC-16 with the reflected polynomial 0x8408, initial value 0 and no final xor.
unsigned short CRC16(std::string_view S);
