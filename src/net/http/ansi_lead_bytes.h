#pragma once

namespace melvanto {

// True when the byte starts a double-byte character of the ANSI code page in use (in
// code page 936 the second byte of such a character may be a backslash, 0x5C).
bool IsAnsiLeadByte(unsigned char byte);

} // namespace melvanto
