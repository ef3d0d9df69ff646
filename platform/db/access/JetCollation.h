#pragma once

#include <cstdint>
#include <string>

struct sqlite3;

namespace xe::db {

// The name of the collation the Access engine gives its text and memo columns.
constexpr char const* JetCollationName = "JET";

// Registers (or replaces) the collation "JET" on `db`: text compared as Jet compares it in
// a database of the given sort order (the header's locale id: 0x0409 General, 0x0804
// Chinese PRC pinyin, 0x20804 Chinese PRC stroke, ...), without regard to case. An ICU
// collator of that locale at secondary strength does the comparing; a sort order ICU
// cannot map falls back to a case-insensitive comparison of code points, and `fallback`
// then receives a sentence saying so (empty otherwise).
void RegisterJetCollation(sqlite3* db, uint32_t sortOrder, std::string* fallback = nullptr);

// The ICU locale a sort order maps to ("" when none); for tests and messages.
std::string JetSortOrderLocale(uint32_t sortOrder);

} // namespace xe::db
