// Fuzz entry point of the XML writer on arbitrary values. The input is read as columns: a
// declared type, a name and one SQLite value each (see Read below). A row either raises
// EDatabaseError or comes out as a well-formed document whose row element carries one
// attribute per value that is not NULL.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Exceptions.h"
#include "platform/db/XmlWriter.h"

using namespace xe::db;

namespace {

class TInput {
public:
    TInput(uint8_t const* data, size_t size)
        : FRest(reinterpret_cast<char const*>(data), size)
    {
    }
    bool Empty() const { return FRest.empty(); }
    uint8_t Byte()
    {
        if (FRest.empty())
            return 0;
        uint8_t b = uint8_t(FRest[0]);
        FRest.remove_prefix(1);
        return b;
    }
    uint64_t Word()
    {
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v = v << 8 | Byte();
        return v;
    }
    // Bytes up to the next 0xFF (or the end).
    std::string Text()
    {
        size_t end = FRest.find('\xff');
        std::string out(FRest.substr(0, end));
        FRest = end == std::string_view::npos ? std::string_view() : FRest.substr(end + 1);
        return out;
    }

private:
    std::string_view FRest;
};

char const* const DeclaredTypes[] = { "INTEGER", "SMALLINT", "BYTE", "BIGINT", "BIT", "REAL", "SINGLE",
    "CURRENCY", "DECIMAL(10,2)", "NUMERIC(28,28)", "DATETIME", "GUID", "VARCHAR(5)", "CHAR(3)", "TEXT",
    "BINARY(4)", "VARBINARY(8)", "LONGBINARY", "" };

sqlite3* Database()
{
    static sqlite3* const db = [] {
        sqlite3* d = nullptr;
        if (sqlite3_open(":memory:", &d) != SQLITE_OK)
            std::abort();
        return d;
    }();
    return db;
}

void CheckDocument(std::string const& xml, size_t values)
{
    xmlDocPtr doc = xmlReadMemory(xml.data(), int(xml.size()), "fuzz.xml", nullptr,
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) {
        std::fprintf(stderr, "not well-formed:\n%s\n", xml.c_str());
        std::abort();
    }
    // xml > rs:data > z:row
    xmlNodePtr row = nullptr;
    for (xmlNodePtr n = xmlDocGetRootElement(doc)->children; n; n = n->next)
        if (n->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<char const*>(n->name), "data") == 0)
            for (xmlNodePtr r = n->children; r; r = r->next)
                if (r->type == XML_ELEMENT_NODE)
                    row = r;
    size_t attributes = 0;
    for (xmlAttrPtr a = row ? row->properties : nullptr; a; a = a->next)
        ++attributes;
    xmlFreeDoc(doc);
    if (!row || attributes != values) {
        std::fprintf(stderr, "%zu attributes for %zu values:\n%s\n", attributes, values, xml.c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    TInput in(data, size);
    int const count = 1 + in.Byte() % 6;
    std::vector<TXmlColumn> columns(count);
    std::string select = "SELECT ?";
    for (int i = 1; i < count; ++i)
        select += ",?";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(Database(), select.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        std::abort();
    for (int i = 0; i < count; ++i) {
        uint8_t kind = in.Byte();
        // Mostly the declared types the engines give, sometimes any text.
        std::string type = kind & 0x80 ? in.Text() : DeclaredTypes[kind % std::size(DeclaredTypes)];
        columns[i].Info = ColumnInfoFromDeclType(type);
        columns[i].Name = in.Text();
        switch (in.Byte() % 5) {
        case 0:
            sqlite3_bind_null(statement, i + 1);
            continue;
        case 1:
            sqlite3_bind_int64(statement, i + 1, int64_t(in.Word()));
            break;
        case 2: {
            uint64_t bits = in.Word();
            double d;
            std::memcpy(&d, &bits, sizeof d);
            sqlite3_bind_double(statement, i + 1, d);
            break;
        }
        case 3: {
            std::string text = in.Text();
            sqlite3_bind_text(statement, i + 1, text.data(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            std::string blob = in.Text();
            sqlite3_bind_blob(statement, i + 1, blob.data(), int(blob.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (sqlite3_step(statement) != SQLITE_ROW)
        std::abort();
    // SQLite binds a NaN as NULL, so the values are counted as SQLite holds them.
    std::vector<sqlite3_value*> row(count);
    size_t values = 0;
    for (int i = 0; i < count; ++i) {
        row[i] = sqlite3_column_value(statement, i);
        values += sqlite3_value_type(row[i]) != SQLITE_NULL;
    }
    std::string xml;
    try {
        std::vector<std::string> names = XmlAttributeNames(columns);
        xml = XmlHeader(columns);
        AppendXmlRow(xml, columns, names, row.data());
        xml += XmlTail();
    } catch (xe::base::EDatabaseError const&) {
        sqlite3_finalize(statement);
        return 0;
    }
    sqlite3_finalize(statement);
    CheckDocument(xml, values);
    return 0;
}
