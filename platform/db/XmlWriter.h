#pragma once

#include "platform/db/Types.h"

#include <string>
#include <string_view>
#include <vector>

struct sqlite3_value;

namespace xe::db {

// The ADO XML persistence format as ADO writes it for Jet: no declaration, no BOM, UTF-8,
// CR LF line ends, TAB indentation, single quotes, one s:AttributeType per column, one
// z:row per row with NULLs omitted, and the tail "</rs:data>\r\n</xml>".
//
//   <xml xmlns:s=... xmlns:dt=... xmlns:rs=... xmlns:z='#RowsetSchema'>
//   <s:Schema id='RowsetSchema'>
//   	<s:ElementType name='row' content='eltOnly' rs:updatable='true'>
//   		<s:AttributeType name='ID' rs:number='1' ...>
//   			<s:datatype dt:type='int' dt:maxLength='4' rs:precision='10' rs:fixedlength='true'/>
//   		</s:AttributeType>
//   		<s:extends type='rs:rowbase'/>
//   	</s:ElementType>
//   </s:Schema>
//   <rs:data>
//   	<z:row ID='1' NAME='alpha'/>
//   </rs:data>
//   </xml>
//
// Values: the five reserved characters become &#x26; &#x3c; &#x3e; &#x27; &#x22;, and TAB,
// CR, LF become &#x9; &#xd; &#xa; so that line breaks survive a reload. Characters XML
// cannot carry at all (other C0 controls, U+FFFE, U+FFFF) and bytes that are not UTF-8 are
// written as U+FFFD.

struct TXmlColumn {
    std::string Name; // UTF-8
    TColumnInfo Info;
};

// The XML attribute names of the columns: the name itself when it is a plain identifier
// and not a repeat, otherwise the alias "c<ordinal-1>" (the real name goes to rs:name).
std::vector<std::string> XmlAttributeNames(std::vector<TXmlColumn> const& columns);

// Everything up to and including "<rs:data>\r\n".
std::string XmlHeader(std::vector<TXmlColumn> const& columns);

// One "\t<z:row .../>\r\n" line. `values` holds one SQLite value per column. A value the
// column's type cannot hold (text in an integer column, a number out of range, NaN, a
// malformed date or GUID) raises EDatabaseError naming the column.
void AppendXmlRow(std::string& out, std::vector<TXmlColumn> const& columns,
    std::vector<std::string> const& attrNames, sqlite3_value** values);

// "</rs:data>\r\n</xml>": eight bytes after the data marker.
std::string XmlTail();

// Writes one attribute value with the escaping described above.
void AppendXmlEscaped(std::string& out, std::string_view utf8);

// The column info for a declared SQLite type ("INTEGER", "VARCHAR(40)", "DECIMAL(10,2)"...);
// an empty type (an expression, or a column declared without a type) is a long string,
// which can hold every value.
TColumnInfo ColumnInfoFromDeclType(std::string const& declType);

} // namespace xe::db
