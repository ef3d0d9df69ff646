#pragma once

#include <string>
#include <utility>
#include <vector>

namespace xe::db {

// Jet 4 databases with saved queries and linked tables, written by TJetTestDatabase, shared by
// the engine's tests and the end-to-end tests.
//
// Tables: Customers(ID, Name, City, Active), Orders(OrderID, CustomerID, Amount Currency,
// Qty), [Asset Items](Owner, Cost Double), Attach(ID, Name, Files attachment), Numbers(ID,
// Label) with IDs 1 to 75 (and the saved query [Odd numbers] over it).
// Linked tables (all named in `folder`): [Prices here] (linked.mdb, relative), [Prices sub]
// (sub\linked2.mdb), [Prices win] (C:\data\linked.mdb), [Prices unc]
// (\\server\share\linked.mdb), Gone (C:\data\missing.mdb), Sheet (Excel 8.0), [Odbc table]
// (ODBC, with a password in its connect string). linked.mdb holds Prices(ID, Price): (1, 2.5),
// (2, 4); sub/linked2.mdb holds Prices(ID, Price): (7, 70).
// Writes folder/main.mdb (with the tables, the saved queries and the links), folder/linked.mdb
// and folder/sub/linked2.mdb; gives main.mdb's path.
std::string WriteJetObjectFixtures(std::string const& folder);

// The saved select queries of main.mdb, each with a statement in Jet SQL that gives the same
// rows when run directly (with saved queries it uses written out as derived tables).
std::vector<std::pair<std::string, std::string>> JetSavedSelectQueries();

} // namespace xe::db
