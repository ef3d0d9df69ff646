#pragma once

#include <string_view>

struct sqlite3;

namespace xe::db {

// Installs the functions the translated Jet dialect calls (jet_mid, jet_concat, ...) and
// replaces like() with Jet's wildcards: * any run, ? one character, # one digit,
// [abc] / [a-z] / [!abc] one character of (or not of) a list; letter case is ignored.
void RegisterJetFunctions(sqlite3* db);

// Jet's Like on decoded text, exposed for tests.
bool JetLike(std::u32string_view text, std::u32string_view pattern);

} // namespace xe::db
