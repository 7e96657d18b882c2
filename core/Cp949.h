#pragma once

// Searching CP949 text. A lead byte (0x81..0xFE) and the byte after it form one
// character, and that trail byte may be an ASCII letter, so a plain byte search
// can match in the middle of a Hangul syllable. These searches match only where
// a character starts, as the Windows multibyte string functions do. A lead byte
// at the very end of a text stands alone.

#include <cstddef>
#include <string>

namespace core {

bool IsLeadByte(unsigned char c);

// Bytes of the character that starts at pos (pos < text.size()): 2 for a lead
// byte with a byte after it, else 1.
size_t CharLengthAt(const std::string& text, size_t pos);

// True when a character starts at pos; 0 and text.size() count as starts.
bool IsCharBoundary(const std::string& text, size_t pos);

// First occurrence of needle at or after byte start that begins at a character
// boundary; npos when there is none. An empty needle is found at start when
// start <= text.size().
size_t FindText(const std::string& text, const std::string& needle, size_t start = 0);

// FindText for a single-byte character.
size_t FindChar(const std::string& text, char c, size_t start = 0);

}  // namespace core
