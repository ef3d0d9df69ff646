#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace xe::db {

// Decoders for the values of a Jet row, taken from the raw bytes (libmdb's own string
// conversions lose NULL-versus-empty, binary after a zero byte, dates before 1900 and
// characters outside the BMP).

// Jet 4 / ACE text: UTF-16LE, or the compressed form "FF FE" followed by runs of one-byte
// characters (U+00xx) and two-byte characters, each 0x00 byte switching between the two,
// starting with one-byte characters. Gives UTF-8; surrogate pairs become one character, a
// lone surrogate U+FFFD.
std::string DecodeJet4Text(uint8_t const* bytes, size_t size);
// The same, appended to `out` (a copy reuses one buffer for every row).
void AppendJet4Text(std::string& out, uint8_t const* bytes, size_t size);
// Jet 3 text: bytes in the database's code page (1252, 936, ...). Gives UTF-8.
std::string DecodeJet3Text(uint8_t const* bytes, size_t size, uint16_t codePage);

// An Access date (days since 1899-12-30, the fraction the time of day even for negative
// values) as "yyyy-mm-dd hh:mm:ss", rounded to the second. Non-finite values and dates
// outside the years 1..9999 give an empty string.
std::string FormatJetDate(double value);
// The same, appended to `out`; false (nothing appended) where FormatJetDate gives "".
bool AppendJetDate(std::string& out, double value);
// The inverse, for test databases: "yyyy-mm-dd[ hh:mm:ss]".
double ParseJetDate(std::string_view text);

// A Jet 4 Decimal (17 bytes: sign byte 0x80 for negative, then the 96-bit magnitude as
// four little-endian 32-bit words, most significant first) as decimal text with exactly
// `scale` fraction digits ("-12.3400", "0.50").
std::string FormatJetNumeric(uint8_t const* bytes, int scale);

// The Decimal result of a calculated column: its length (2 bytes, counting what follows
// the length), scale (1), sign (1, non-zero for negative), then the magnitude in 4 to 16
// bytes: when their number is not a multiple of 8, a little-endian 32-bit word first, then
// little-endian 64-bit words, most significant first. Gives decimal text with `scale`
// fraction digits; false when the bytes are not that.
bool FormatJetCalculatedNumeric(std::string_view bytes, std::string& text, int& scale);

// A Currency value (a count of ten-thousandths) as exact decimal text with four fraction
// digits: "922337203685477.5807", "-0.5000".
std::string FormatJetCurrency(int64_t units);

// A Date/Time Extended field (ASCII "days:ticks:precision", days counted from 0001-01-01,
// ticks of 100 ns) as "yyyy-mm-dd hh:nn:ss.fffffff"; false when the bytes are not that.
bool FormatJetDateTimeExt(std::string_view bytes, std::string& out);

// A GUID (16 bytes, Data1..3 little endian) as "{01234567-89AB-CDEF-0123-456789ABCDEF}".
std::string FormatJetGuid(uint8_t const* bytes);

} // namespace xe::db
