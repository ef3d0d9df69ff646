#include "platform/toolkit/Persistence.h"

#include "platform/base/Colors.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/toolkit/Resources.h"

#include <map>
#include <memory>

namespace xe::tk {

using xe::base::EReadError;
using xe::base::Format;

// ---------------------------------------------------------------------------------------
// Property lists

void TProperties::Integer(std::string name, std::function<int64_t()> get, std::function<void(int64_t)> set,
    int64_t def, std::function<bool()> stored)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TPropKind::Integer;
    p.GetInt = std::move(get);
    p.SetInt = std::move(set);
    auto getter = p.GetInt;
    p.Stored = [getter, def, stored] { return (!stored || stored()) && getter() != def; };
    FItems.push_back(std::move(p));
}

void TProperties::Boolean(std::string name, std::function<bool()> get, std::function<void(bool)> set,
    bool def, std::function<bool()> stored)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TPropKind::Boolean;
    p.GetInt = [get] { return int64_t(get() ? 1 : 0); };
    p.SetInt = [set](int64_t v) { set(v != 0); };
    p.Stored = [get, def, stored] { return (!stored || stored()) && get() != def; };
    FItems.push_back(std::move(p));
}

void TProperties::String(std::string name, std::function<std::string()> get,
    std::function<void(std::string const&)> set, std::string def, std::function<bool()> stored)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TPropKind::String;
    p.GetStr = std::move(get);
    p.SetStr = std::move(set);
    auto getter = p.GetStr;
    p.Stored = [getter, def, stored] { return (!stored || stored()) && getter() != def; };
    FItems.push_back(std::move(p));
}

void TProperties::Enum(std::string name, std::vector<std::string> names, std::function<int64_t()> get,
    std::function<void(int64_t)> set, int64_t def, std::function<bool()> stored)
{
    Integer(std::move(name), std::move(get), std::move(set), def, std::move(stored));
    FItems.back().Kind = TPropKind::Enum;
    FItems.back().Names = std::move(names);
}

void TProperties::Set(std::string name, std::vector<std::string> names, std::function<int64_t()> get,
    std::function<void(int64_t)> set, int64_t def, std::function<bool()> stored)
{
    Integer(std::move(name), std::move(get), std::move(set), def, std::move(stored));
    FItems.back().Kind = TPropKind::Set;
    FItems.back().Names = std::move(names);
}

void TProperties::Color(std::string name, std::function<int64_t()> get, std::function<void(int64_t)> set,
    int64_t def, std::function<bool()> stored)
{
    Integer(std::move(name), std::move(get), std::move(set), def, std::move(stored));
    FItems.back().Kind = TPropKind::Color;
}

void TProperties::Binary(std::string name, std::function<TBinaryData()> get,
    std::function<void(TBinaryData const&)> set, std::function<bool()> stored)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TPropKind::Binary;
    p.GetBin = std::move(get);
    p.SetBin = std::move(set);
    auto getter = p.GetBin;
    p.Stored = [getter, stored] { return (!stored || stored()) && !getter().Empty(); };
    FItems.push_back(std::move(p));
}

void TProperties::Reference(
    std::string name, std::function<TComponent*()> get, std::function<void(TComponent*)> set)
{
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TPropKind::Reference;
    p.GetRef = std::move(get);
    p.SetRef = std::move(set);
    auto getter = p.GetRef;
    p.Stored = [getter] { return getter() != nullptr; };
    FItems.push_back(std::move(p));
}

TPropInfo const* TProperties::Find(std::string_view name) const
{
    for (auto& p : FItems)
        if (xe::base::SameText(p.Name, name))
            return &p;
    return nullptr;
}

// ---------------------------------------------------------------------------------------
// Class registry

namespace {
std::map<std::string, TComponentFactory>& Registry()
{
    static std::map<std::string, TComponentFactory> registry;
    return registry;
}
}

void RegisterComponentClass(std::string const& className, TComponentFactory factory)
{
    Registry()[xe::base::UpperCase(className)] = std::move(factory);
}

bool IsComponentClassRegistered(std::string const& className)
{
    RegisterToolkitClasses();
    return Registry().count(xe::base::UpperCase(className)) != 0;
}

// ---------------------------------------------------------------------------------------
// Colours

namespace {
struct TColorName {
    int64_t Color;
    char const* Name;
};
constexpr TColorName ColorNames[] = {
    { xe::base::clBlack, "clBlack" },
    { xe::base::clMaroon, "clMaroon" },
    { xe::base::clGreen, "clGreen" },
    { xe::base::clOlive, "clOlive" },
    { xe::base::clNavy, "clNavy" },
    { xe::base::clPurple, "clPurple" },
    { xe::base::clTeal, "clTeal" },
    { xe::base::clGray, "clGray" },
    { xe::base::clSilver, "clSilver" },
    { xe::base::clRed, "clRed" },
    { xe::base::clLime, "clLime" },
    { xe::base::clYellow, "clYellow" },
    { xe::base::clBlue, "clBlue" },
    { xe::base::clFuchsia, "clFuchsia" },
    { xe::base::clAqua, "clAqua" },
    { xe::base::clWhite, "clWhite" },
    { xe::base::clNone, "clNone" },
    { xe::base::clDefault, "clDefault" },
    { xe::base::clScrollBar, "clScrollBar" },
    { xe::base::clActiveCaption, "clActiveCaption" },
    { xe::base::clInactiveCaption, "clInactiveCaption" },
    { xe::base::clMenu, "clMenu" },
    { xe::base::clWindow, "clWindow" },
    { xe::base::clWindowFrame, "clWindowFrame" },
    { xe::base::clMenuText, "clMenuText" },
    { xe::base::clWindowText, "clWindowText" },
    { xe::base::clCaptionText, "clCaptionText" },
    { xe::base::clHighlight, "clHighlight" },
    { xe::base::clHighlightText, "clHighlightText" },
    { xe::base::clBtnFace, "clBtnFace" },
    { xe::base::clBtnShadow, "clBtnShadow" },
    { xe::base::clGrayText, "clGrayText" },
    { xe::base::clBtnText, "clBtnText" },
    { xe::base::clInactiveCaptionText, "clInactiveCaptionText" },
    { xe::base::clBtnHighlight, "clBtnHighlight" },
    { xe::base::cl3DDkShadow, "cl3DDkShadow" },
    { xe::base::cl3DLight, "cl3DLight" },
    { xe::base::clInfoText, "clInfoText" },
    { xe::base::clInfoBk, "clInfoBk" },
    { xe::base::clGradientActiveCaption, "clGradientActiveCaption" },
    { xe::base::clGradientInactiveCaption, "clGradientInactiveCaption" },
};

bool ParseInteger(std::string_view text, int64_t& value)
{
    if (!text.empty() && text[0] == '$') {
        if (text.size() < 2 || text.size() > 17)
            return false;
        uint64_t v = 0;
        for (char c : text.substr(1)) {
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                return false;
            v = v * 16 + uint64_t(d);
        }
        value = int64_t(v);
        return true;
    }
    return xe::base::TryStrToInt(text, value);
}
}

std::string ColorToString(int64_t color)
{
    for (auto& c : ColorNames)
        if (c.Color == color)
            return c.Name;
    return Format("$%08X", unsigned(uint32_t(color)));
}

bool StringToColor(std::string_view text, int64_t& color)
{
    for (auto& c : ColorNames)
        if (xe::base::SameText(c.Name, text)) {
            color = c.Color;
            return true;
        }
    return ParseInteger(text, color);
}

// ---------------------------------------------------------------------------------------
// Reading

namespace {
struct TPropNode {
    std::string Name;
    std::string Value; // raw text; for binary data the hex digits alone, prefixed by '{'
    int Line = 0;
};
struct TObjectNode {
    std::string Name;
    std::string ClassName;
    int Line = 0;
    std::vector<TPropNode> Props;
    std::vector<std::unique_ptr<TObjectNode>> Children;
};

bool IsIdentChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
}

class TParser {
public:
    TParser(std::string_view text, std::string const& formName)
        : FFormName(formName)
    {
        for (std::string_view line : xe::base::SplitLines(text))
            FLines.push_back(xe::base::Trim(line));
    }

    std::unique_ptr<TObjectNode> Parse()
    {
        SkipBlank();
        if (FIndex >= FLines.size())
            Fail("no object");
        auto root = ParseObject(1);
        SkipBlank();
        if (FIndex < FLines.size())
            Fail("text after the last 'end'");
        return root;
    }

    [[noreturn]] void Fail(std::string const& what) const
    {
        throw EReadError(
            Format("Error reading form %s, line %d: %s", FFormName.c_str(), int(FIndex + 1), what.c_str()));
    }

private:
    void SkipBlank()
    {
        while (FIndex < FLines.size() && (FLines[FIndex].empty() || FLines[FIndex].rfind("//", 0) == 0))
            ++FIndex;
    }

    // `depth` counts the objects this one lies in, itself included; the reader, the tree and
    // its destruction all recurse per level, so nesting is limited rather than left to the stack.
    std::unique_ptr<TObjectNode> ParseObject(int depth)
    {
        std::string const& head = FLines[FIndex];
        if (head.rfind("object ", 0) != 0)
            Fail("'object' expected");
        if (depth > MaxObjectNesting)
            Fail(Format("objects nested deeper than %d levels", MaxObjectNesting));
        auto node = std::make_unique<TObjectNode>();
        node->Line = int(FIndex + 1);
        std::string rest = xe::base::Trim(std::string_view(head).substr(7));
        size_t colon = rest.find(':');
        if (colon == std::string::npos)
            Fail("'name: class' expected");
        node->Name = xe::base::Trim(std::string_view(rest).substr(0, colon));
        node->ClassName = xe::base::Trim(std::string_view(rest).substr(colon + 1));
        if ((!node->Name.empty() && !IsValidIdent(node->Name)) || !IsValidIdent(node->ClassName))
            Fail("'name: class' expected");
        ++FIndex;
        for (;;) {
            SkipBlank();
            if (FIndex >= FLines.size())
                Fail("'end' expected");
            std::string const& line = FLines[FIndex];
            if (line == "end") {
                ++FIndex;
                return node;
            }
            if (line.rfind("object ", 0) == 0) {
                node->Children.push_back(ParseObject(depth + 1));
                continue;
            }
            if (!node->Children.empty())
                Fail("properties must come before the owned objects");
            node->Props.push_back(ParseProperty());
        }
    }

    TPropNode ParseProperty()
    {
        std::string const& line = FLines[FIndex];
        TPropNode prop;
        prop.Line = int(FIndex + 1);
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            Fail("'property = value' expected");
        prop.Name = xe::base::Trim(std::string_view(line).substr(0, eq));
        for (char c : prop.Name)
            if (!IsIdentChar(c))
                Fail("bad property name '" + prop.Name + "'");
        prop.Value = xe::base::Trim(std::string_view(line).substr(eq + 1));
        ++FIndex;
        if (!prop.Value.empty() && prop.Value[0] == '{') {
            // Hex data, on this line and the following ones, up to the closing brace.
            std::string hex = prop.Value.substr(1);
            while (hex.find('}') == std::string::npos) {
                if (FIndex >= FLines.size())
                    Fail("'}' expected");
                hex += FLines[FIndex++];
            }
            size_t close = hex.find('}');
            if (!xe::base::Trim(std::string_view(hex).substr(close + 1)).empty())
                Fail("text after '}'");
            prop.Value = "{" + hex.substr(0, close);
        }
        return prop;
    }

    std::string FFormName;
    std::vector<std::string> FLines;
    size_t FIndex = 0;
};

struct TPendingRef {
    TComponent* Component;
    std::string PropName;
    std::function<void(TComponent*)> Set;
    std::string Target;
};

class TReaderImpl {
public:
    TReaderImpl(TComponent* root, std::string const& formName)
        : FRoot(root)
        , FFormName(formName)
    {
    }

    void Read(std::string_view text)
    {
        RegisterToolkitClasses();
        TParser parser(text, FFormName);
        auto node = parser.Parse();
        if (!xe::base::SameText(node->ClassName, FRoot->ClassName()))
            throw EReadError(Format("Error reading form %s: the stored class %s is not %s", FFormName.c_str(),
                node->ClassName.c_str(), FRoot->ClassName()));
        try {
            ReadObject(FRoot, *node);
            for (auto& ref : FRefs) {
                TComponent* target = xe::base::SameText(ref.Target, FRoot->Name())
                    ? FRoot
                    : FRoot->FindComponent(ref.Target);
                if (!target)
                    throw EReadError(Format("Error reading form %s: %s.%s refers to unknown component '%s'",
                        FFormName.c_str(), ref.Component->Name().c_str(), ref.PropName.c_str(),
                        ref.Target.c_str()));
                ref.Set(target);
            }
        } catch (...) {
            for (TComponent* c : FLoaded)
                c->SetLoading(false);
            throw;
        }
        for (TComponent* c : FLoaded)
            c->SetLoading(false);
        for (TComponent* c : FLoaded)
            c->Loaded();
    }

private:
    [[noreturn]] void Fail(TObjectNode const& node, TPropNode const* prop, std::string const& what)
    {
        std::string where = node.Name.empty() ? node.ClassName : node.Name;
        if (prop)
            throw EReadError(Format("Error reading form %s, line %d: %s.%s: %s", FFormName.c_str(),
                prop->Line, where.c_str(), prop->Name.c_str(), what.c_str()));
        throw EReadError(Format("Error reading form %s, line %d: %s: %s", FFormName.c_str(), node.Line,
            where.c_str(), what.c_str()));
    }

    void ReadObject(TComponent* component, TObjectNode const& node)
    {
        component->SetLoading(true);
        FLoaded.push_back(component);
        if (component != FRoot || !node.Name.empty()) {
            try {
                component->SetName(node.Name);
            } catch (xe::base::Exception const& e) {
                Fail(node, nullptr, e.Message());
            }
        }
        TProperties props;
        component->DefineProperties(props);
        for (auto& prop : node.Props) {
            TPropInfo const* info = props.Find(prop.Name);
            if (!info)
                Fail(node, &prop, "no such property in " + node.ClassName);
            try {
                Assign(component, *info, prop);
            } catch (EReadError const&) {
                throw;
            } catch (xe::base::Exception const& e) {
                Fail(node, &prop, e.Message());
            }
        }
        for (auto& child : node.Children) {
            std::string key = xe::base::UpperCase(child->ClassName);
            auto it = Registry().find(key);
            if (it == Registry().end())
                Fail(*child, nullptr, "class " + child->ClassName + " is not registered");
            TComponent* created = it->second(FRoot);
            if (component != FRoot)
                created->SetParentComponent(component);
            else
                created->SetParentComponent(FRoot);
            ReadObject(created, *child);
        }
    }

    void Assign(TComponent* component, TPropInfo const& info, TPropNode const& prop)
    {
        std::string const& v = prop.Value;
        auto bad = [&]() -> EReadError {
            return EReadError(Format("Error reading form %s, line %d: %s.%s: invalid value %s",
                FFormName.c_str(), prop.Line, component->Name().c_str(), prop.Name.c_str(), v.c_str()));
        };
        int64_t n = 0;
        switch (info.Kind) {
        case TPropKind::Integer:
            if (!ParseInteger(v, n))
                throw bad();
            info.SetInt(n);
            break;
        case TPropKind::Boolean:
            if (xe::base::SameText(v, "True"))
                info.SetInt(1);
            else if (xe::base::SameText(v, "False"))
                info.SetInt(0);
            else
                throw bad();
            break;
        case TPropKind::Color:
            if (!StringToColor(v, n))
                throw bad();
            info.SetInt(n);
            break;
        case TPropKind::Enum: {
            int64_t found = -1;
            for (size_t i = 0; i < info.Names.size(); ++i)
                if (xe::base::SameText(info.Names[i], v))
                    found = int64_t(i);
            if (found < 0)
                throw bad();
            info.SetInt(found);
            break;
        }
        case TPropKind::Set: {
            if (v.size() < 2 || v.front() != '[' || v.back() != ']')
                throw bad();
            std::string_view body = std::string_view(v).substr(1, v.size() - 2);
            int64_t mask = 0;
            while (!xe::base::Trim(body).empty()) {
                size_t comma = body.find(',');
                std::string item = xe::base::Trim(body.substr(0, comma));
                int64_t found = -1;
                for (size_t i = 0; i < info.Names.size(); ++i)
                    if (xe::base::SameText(info.Names[i], item))
                        found = int64_t(i);
                if (found < 0)
                    throw bad();
                mask |= int64_t(1) << found;
                body = comma == std::string_view::npos ? std::string_view() : body.substr(comma + 1);
            }
            info.SetInt(mask);
            break;
        }
        case TPropKind::String: {
            std::string utf8;
            if (!ParseString(v, utf8))
                throw bad();
            info.SetStr(xe::base::Utf8ToAnsi(utf8));
            break;
        }
        case TPropKind::Binary: {
            TBinaryData data;
            if (!v.empty() && v[0] == '{') {
                if (!ParseHex(std::string_view(v).substr(1), data.Bytes))
                    throw bad();
            } else if (v.rfind("resource", 0) == 0) {
                std::string name;
                if (!ParseString(xe::base::Trim(std::string_view(v).substr(8)), name) || name.empty())
                    throw bad();
                if (!ResourceExists(name))
                    throw EReadError(Format("Error reading form %s, line %d: %s.%s: resource %s not found",
                        FFormName.c_str(), prop.Line, component->Name().c_str(), prop.Name.c_str(),
                        name.c_str()));
                data.Bytes = std::string(FindResourceData(name));
                data.Resource = name;
            } else {
                throw bad();
            }
            info.SetBin(data);
            break;
        }
        case TPropKind::Reference:
            if (xe::base::SameText(v, "nil")) {
                info.SetRef(nullptr);
                break;
            }
            if (!IsValidIdent(v))
                throw bad();
            FRefs.push_back({ component, info.Name, info.SetRef, v });
            break;
        }
    }

    static bool ParseString(std::string_view v, std::string& out)
    {
        size_t i = 0;
        bool any = false;
        while (i < v.size()) {
            if (v[i] == '\'') {
                ++i;
                for (;;) {
                    if (i >= v.size())
                        return false;
                    if (v[i] == '\'') {
                        if (i + 1 < v.size() && v[i + 1] == '\'') {
                            out += '\'';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    out += v[i++];
                }
            } else if (v[i] == '#') {
                size_t start = ++i;
                while (i < v.size() && v[i] >= '0' && v[i] <= '9')
                    ++i;
                int64_t code = 0;
                if (!xe::base::TryStrToInt(v.substr(start, i - start), code) || code < 0 || code > 255)
                    return false;
                out += char(code);
            } else {
                return false;
            }
            any = true;
        }
        return any;
    }

    static bool ParseHex(std::string_view v, std::string& out)
    {
        int high = -1;
        for (char c : v) {
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else if (c == ' ' || c == '\t')
                continue;
            else
                return false;
            if (high < 0) {
                high = d;
            } else {
                out += char(high * 16 + d);
                high = -1;
            }
        }
        return high < 0;
    }

    TComponent* FRoot;
    std::string FFormName;
    std::vector<TComponent*> FLoaded;
    std::vector<TPendingRef> FRefs;
};
}

void ReadComponentText(TComponent* root, std::string_view text, std::string const& formName)
{
    TReaderImpl(root, formName).Read(text);
}

void ReadComponentResource(TComponent* root, std::string const& resourceName)
{
    std::string_view data = FindResourceData(resourceName);
    ReadComponentText(root, data, resourceName);
}

// ---------------------------------------------------------------------------------------
// Writing

namespace {
std::string QuoteString(std::string const& ansi)
{
    std::string utf8 = xe::base::AnsiToUtf8(ansi);
    std::string out;
    bool inQuote = false;
    for (unsigned char c : utf8) {
        if (c < 32) {
            if (inQuote) {
                out += '\'';
                inQuote = false;
            }
            out += '#' + std::to_string(int(c));
            continue;
        }
        if (!inQuote) {
            out += '\'';
            inQuote = true;
        }
        if (c == '\'')
            out += "''";
        else
            out += char(c);
    }
    if (inQuote)
        out += '\'';
    if (out.empty())
        out = "''";
    return out;
}

void WriteObject(std::string& out, TComponent* component, int depth, bool isRoot)
{
    std::string indent(size_t(depth) * 2, ' ');
    out += indent + "object " + component->Name() + ": " + component->ClassName() + "\n";
    TProperties props;
    component->DefineProperties(props);
    std::string inner = indent + "  ";
    for (auto& p : props.Items()) {
        if (p.Stored && !p.Stored())
            continue;
        std::string value;
        switch (p.Kind) {
        case TPropKind::Integer:
            value = std::to_string(p.GetInt());
            break;
        case TPropKind::Boolean:
            value = p.GetInt() ? "True" : "False";
            break;
        case TPropKind::Color:
            value = ColorToString(p.GetInt());
            break;
        case TPropKind::Enum: {
            int64_t v = p.GetInt();
            value = v >= 0 && size_t(v) < p.Names.size() ? p.Names[size_t(v)] : std::to_string(v);
            break;
        }
        case TPropKind::Set: {
            int64_t mask = p.GetInt();
            value = "[";
            for (size_t i = 0; i < p.Names.size() && i < 63; ++i)
                if (mask & (int64_t(1) << i)) {
                    if (value.size() > 1)
                        value += ", ";
                    value += p.Names[i];
                }
            value += "]";
            break;
        }
        case TPropKind::String:
            value = QuoteString(p.GetStr());
            break;
        case TPropKind::Binary: {
            TBinaryData data = p.GetBin();
            if (!data.Resource.empty()) {
                value = "resource " + QuoteString(data.Resource);
                break;
            }
            static char const digits[] = "0123456789ABCDEF";
            value = "{\n";
            for (size_t i = 0; i < data.Bytes.size(); i += 32) {
                value += inner + "  ";
                for (size_t j = i; j < data.Bytes.size() && j < i + 32; ++j) {
                    unsigned char b = static_cast<unsigned char>(data.Bytes[j]);
                    value += digits[b >> 4];
                    value += digits[b & 15];
                }
                value += "\n";
            }
            value += inner + "}";
            break;
        }
        case TPropKind::Reference: {
            TComponent* target = p.GetRef();
            value = target ? target->Name() : "nil";
            break;
        }
        }
        out += inner + p.Name + " = " + value + "\n";
    }
    if (isRoot) {
        for (int i = 0; i < component->ComponentCount(); ++i)
            WriteObject(out, component->Components(i), depth + 1, false);
    }
    out += indent + "end\n";
}
}

std::string WriteComponentText(TComponent* root)
{
    std::string out;
    WriteObject(out, root, 0, true);
    return out;
}

} // namespace xe::tk
