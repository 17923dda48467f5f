#pragma once

#include <string>
#include <string_view>

// The system's multibyte character set. On Windows these are the real code-page functions; the
// POSIX build emulates a system whose ANSI code page is 932 (Shift_JIS) and converts with iconv.
namespace vklib {

inline constexpr unsigned kCodePageAnsi = 0;  // "the ANSI code page" in conversions
inline constexpr unsigned kCodePageShiftJis = 932;
inline constexpr unsigned kCodePageUtf7 = 65000;
inline constexpr unsigned kCodePageUtf8 = 65001;

// Whether WideToAnsi may give a character outside ASCII as an ASCII one (Windows' "best fit":
// an accented letter as its plain letter). The POSIX build writes such a character as "?".
#ifdef _WIN32
inline constexpr bool kAnsiBestFit = true;
#else
inline constexpr bool kAnsiBestFit = false;
#endif

// GetACP.
unsigned GetAnsiCodePage();
// IsValidCodePage.
bool IsCodePageInstalled(unsigned code_page);
// IsDBCSLeadByte: the byte opens a double-byte character of the ANSI code page. The system is
// asked once for every byte value; every later answer comes from that table.
bool AskIsLeadByte(unsigned char byte);
const bool* LeadByteTable();
inline bool IsLeadByte(unsigned char byte) {
  static const bool* const table = LeadByteTable();
  return table[byte];
}

// MultiByteToWideChar: bytes of `code_page` (kCodePageAnsi for the ANSI code page) to UTF-16.
// Invalid sequences become U+FFFD. False when the code page is unknown.
bool MultiByteToWide(unsigned code_page, std::string_view bytes, std::u16string& wide);
// WideCharToMultiByte to the ANSI code page; a character it lacks becomes its default character.
bool WideToAnsi(std::u16string_view wide, std::string& bytes);

// Bytes of `code_page` to the ANSI code page, as MultiByteToWide followed by WideToAnsi.
bool MultiByteToAnsi(unsigned code_page, std::string_view bytes, std::string& ansi);

// The same as WideToAnsi and as MultiByteToAnsi from UTF-8, byte for byte, appended to `ansi`:
// every character outside the surrogates comes from a table that WideToAnsi fills once, and only
// what the table cannot tell (surrogates, four-byte or ill-formed UTF-8) goes the slow way. The
// readers convert whole files with these.
void AppendWideAsAnsi(std::u16string_view wide, std::string& ansi);
void AppendUtf8AsAnsi(std::string_view utf8, std::string& ansi);
// For a reader that converts as it reads, from the same tables: the well-formed sequences of one
// to three bytes from the start of `utf8`, up to a line end, anything else, a sequence cut off
// by the end of `utf8`, or `room` bytes of it. Their bytes in the ANSI code page are written at
// `ansi` (never more than were taken) and counted; `taken` gets the UTF-8 bytes converted.
size_t Utf8RunAsAnsi(std::string_view utf8, size_t room, char* ansi, size_t& taken);
// The same for the UTF-16 units from the start of `units` up to a line end or a surrogate: their
// bytes written at `ansi` (room for two a unit) and counted; `taken` gets the units converted.
size_t WideRunAsAnsi(std::u16string_view units, char* ansi, size_t& taken);

// CharLowerBuffA: lower-cases in place by the ANSI code page's rules; a trail byte is never
// changed.
void LowerCaseAnsi(std::string& text);

// Byte length of the character that starts at `pos` (2 for a lead byte followed by a byte, else 1).
inline size_t CharLength(std::string_view text, size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// The first occurrence of `needle` at or after `from` that starts on a character boundary, so
// that the second byte of a double-byte character is never taken for "\\", "[" or "}".
size_t FindText(std::string_view text, std::string_view needle, size_t from = 0);

// Text for a console program's terminal, and its command-line arguments as text of the ANSI
// code page: unchanged on Windows, UTF-8 on POSIX.
std::string ConsoleText(std::string_view ansi);
std::string ArgumentText(std::string_view argument);

// Conversions between the ANSI code page and UTF-8, for terminals and POSIX file names.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace vklib
