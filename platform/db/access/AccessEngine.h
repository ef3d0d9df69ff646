#pragma once

#include "platform/db/Types.h"
#include "platform/db/access/AccessDatabase.h"

namespace xe::db {

// Plugs the Access engine into TADOConnection: a Jet or ACE file is opened with its
// password checked at Open, and each table a statement names is copied into the
// connection's private SQLite database the first time it is named, its columns
// registered with the ADO description Jet gives them.
void RegisterAccessEngine();

// How ADO with the Jet provider describes an Access column (type, length, precision,
// scale, nullability, AutoNumber, long).
TColumnInfo AdoColumnInfo(TAccessColumn const& column);

} // namespace xe::db
