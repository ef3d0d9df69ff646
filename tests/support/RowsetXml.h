#pragma once

// A strict libxml2 reader of a persisted rowset (the export's output), shared by the writer's,
// the export's and the end-to-end tests.

#include <map>
#include <string>
#include <vector>

namespace xe::test {

// One z:row: attribute name -> value (UTF-8).
using TXmlRow = std::map<std::string, std::string>;

struct TRowset {
    bool Parsed = false; // well-formed; otherwise Error says why
    std::string Error;
    std::vector<std::string> AttributeNames; // s:AttributeType names in order
    std::map<std::string, std::string> DataTypes; // name -> the dt:type of its s:datatype
    std::vector<TXmlRow> Rows; // every z:row, in document order
    int DataBlocks = 0; // rs:data elements
};

// Elements count only with their usual prefixes (s:, rs:, z:), so a document written with
// wrong prefixes shows as one without schema or rows.
TRowset ParseRowset(std::string const& bytes);
TRowset ReadRowsetFile(std::string const& path);

} // namespace xe::test
