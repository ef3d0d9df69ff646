#include "tests/support/RowsetXml.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>

namespace xe::test {

namespace {
std::string Text(xmlChar* value)
{
    std::string text = value ? reinterpret_cast<char const*>(value) : "";
    xmlFree(value);
    return text;
}

bool Is(xmlNode* node, char const* prefix, char const* name)
{
    return node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<char const*>(node->name), name) == 0
        && node->ns && node->ns->prefix
        && std::strcmp(reinterpret_cast<char const*>(node->ns->prefix), prefix) == 0;
}

void Walk(xmlNode* node, TRowset& rowset)
{
    for (; node; node = node->next) {
        if (Is(node, "s", "AttributeType")) {
            std::string name = Text(xmlGetProp(node, BAD_CAST "name"));
            rowset.AttributeNames.push_back(name);
            for (xmlNode* child = node->children; child; child = child->next)
                if (Is(child, "s", "datatype"))
                    rowset.DataTypes[name] = Text(xmlGetProp(child, BAD_CAST "type"));
        } else if (Is(node, "rs", "data")) {
            ++rowset.DataBlocks;
        } else if (Is(node, "z", "row")) {
            TXmlRow row;
            for (xmlAttr* attr = node->properties; attr; attr = attr->next)
                row[reinterpret_cast<char const*>(attr->name)]
                    = Text(xmlNodeListGetString(node->doc, attr->children, 1));
            rowset.Rows.push_back(std::move(row));
        }
        Walk(node->children, rowset);
    }
}

TRowset Read(xmlDoc* doc)
{
    TRowset rowset;
    if (!doc) {
        xmlError const* error = xmlGetLastError();
        rowset.Error = error && error->message ? error->message : "not well-formed";
        return rowset;
    }
    rowset.Parsed = true;
    Walk(xmlDocGetRootElement(doc), rowset);
    xmlFreeDoc(doc);
    return rowset;
}

constexpr int Options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
} // namespace

TRowset ParseRowset(std::string const& bytes)
{
    return Read(xmlReadMemory(bytes.data(), int(bytes.size()), "rowset.xml", nullptr, Options));
}

TRowset ReadRowsetFile(std::string const& path) { return Read(xmlReadFile(path.c_str(), nullptr, Options)); }

} // namespace xe::test
