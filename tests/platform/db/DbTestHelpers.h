#pragma once

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/Connection.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <map>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace xe::test {

// Creates an SQLite database file with the given statements (UTF-8) run in one transaction.
inline void MakeDatabase(std::string const& path, std::string const& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(xe::base::ToSystemPath(path).c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    int rc = sqlite3_exec(db, ("BEGIN;" + sql + ";COMMIT;").c_str(), nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

inline std::string JetConnectionString(std::string const& path, std::string const& password = "")
{
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Jet OLEDB:Database Password=" + password
        + ";";
}

// One parsed z:row: attribute name -> value (UTF-8).
using TXmlRow = std::map<std::string, std::string>;

struct TParsedRowset {
    bool Ok = false;
    std::vector<std::string> AttributeNames; // s:AttributeType/@name
    std::map<std::string, std::string> DataTypes; // name -> dt:type
    std::vector<TXmlRow> Rows;
};

// Parses a persistence file with libxml2 (strict: any error fails).
inline TParsedRowset ParseRowset(std::string const& bytes)
{
    TParsedRowset result;
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "rowset.xml", nullptr,
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc)
        return result;
    xmlNodePtr root = xmlDocGetRootElement(doc);
    auto name = [](xmlNodePtr n) { return std::string(reinterpret_cast<char const*>(n->name)); };
    auto attr = [](xmlNodePtr n, char const* a) {
        xmlChar* v = xmlGetProp(n, reinterpret_cast<xmlChar const*>(a));
        std::string s = v ? reinterpret_cast<char const*>(v) : "";
        xmlFree(v);
        return s;
    };
    for (xmlNodePtr top = root->children; top; top = top->next) {
        if (top->type != XML_ELEMENT_NODE)
            continue;
        if (name(top) == "Schema") {
            for (xmlNodePtr et = top->children; et; et = et->next)
                for (xmlNodePtr at = et->children; at; at = at->next)
                    if (at->type == XML_ELEMENT_NODE && name(at) == "AttributeType") {
                        std::string n = attr(at, "name");
                        result.AttributeNames.push_back(n);
                        for (xmlNodePtr dt = at->children; dt; dt = dt->next)
                            if (dt->type == XML_ELEMENT_NODE && name(dt) == "datatype")
                                result.DataTypes[n] = attr(dt, "type");
                    }
        } else if (name(top) == "data") {
            for (xmlNodePtr row = top->children; row; row = row->next) {
                if (row->type != XML_ELEMENT_NODE)
                    continue;
                TXmlRow r;
                for (xmlAttrPtr a = row->properties; a; a = a->next) {
                    xmlChar* v = xmlNodeListGetString(doc, a->children, 1);
                    r[reinterpret_cast<char const*>(a->name)] = v ? reinterpret_cast<char const*>(v) : "";
                    xmlFree(v);
                }
                result.Rows.push_back(std::move(r));
            }
        }
    }
    xmlFreeDoc(doc);
    result.Ok = true;
    return result;
}

inline size_t CountOccurrences(std::string const& haystack, std::string const& needle)
{
    size_t n = 0;
    for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1))
        ++n;
    return n;
}

} // namespace xe::test
