#pragma once

#include "platform/toolkit/Component.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace xe::tk {

// Stored forms: a small text format for a form and its components.
//
//   object Frm_outdata: TFrm_outdata          <- name: class; the root is the form itself
//     Left = 320                              <- integer
//     Caption = 'XML'#13#10'data'             <- string: UTF-8 in the file, '' doubles a quote,
//                                                #nn adds a byte, pieces are joined
//     BorderStyle = bsNone                    <- enumeration (an identifier)
//     Font.Style = [fsBold, fsItalic]         <- set
//     Color = clBtnFace                       <- colour: a cl name or $00BBGGRR
//     Picture = resource 'pictures/x.bmp'     <- picture or binary from the embedded resources
//     CompressedData = {                      <- picture or binary written whole, in hex
//       789C...
//     }
//     SkinData = spSkinData1                  <- reference to a component of the form
//     object Image1: TImage                   <- an owned component; nested objects are
//     end                                        children of the enclosing control
//   end
//
// Blank lines and lines starting with '//' are ignored. Properties not written keep the
// value the component's constructor gave them.

// Bytes of a binary property or picture. When they came from an embedded resource and were
// not changed, Resource names it and the writer writes the reference again.
struct TBinaryData {
    std::string Bytes;
    std::string Resource;
    bool Empty() const { return Bytes.empty(); }
};

enum class TPropKind { Integer, Boolean, String, Enum, Set, Color, Binary, Reference };

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    std::vector<std::string> Names; // enumeration or set element names, by ordinal
    std::function<int64_t()> GetInt; // Integer, Boolean, Enum, Set (bit mask), Color
    std::function<void(int64_t)> SetInt;
    std::function<std::string()> GetStr; // String (ANSI)
    std::function<void(std::string const&)> SetStr;
    std::function<TBinaryData()> GetBin;
    std::function<void(TBinaryData const&)> SetBin;
    std::function<TComponent*()> GetRef;
    std::function<void(TComponent*)> SetRef;
    std::function<bool()> Stored; // whether the writer writes it
};

// The list a component fills in DefineProperties. A property is written when its Stored
// predicate (when given) says so and its value differs from the default.
class TProperties {
public:
    void Integer(std::string name, std::function<int64_t()> get, std::function<void(int64_t)> set,
        int64_t def = 0, std::function<bool()> stored = {});
    void Boolean(std::string name, std::function<bool()> get, std::function<void(bool)> set, bool def = false,
        std::function<bool()> stored = {});
    void String(std::string name, std::function<std::string()> get,
        std::function<void(std::string const&)> set, std::string def = {}, std::function<bool()> stored = {});
    void Enum(std::string name, std::vector<std::string> names, std::function<int64_t()> get,
        std::function<void(int64_t)> set, int64_t def, std::function<bool()> stored = {});
    void Set(std::string name, std::vector<std::string> names, std::function<int64_t()> get,
        std::function<void(int64_t)> set, int64_t def = 0, std::function<bool()> stored = {});
    void Color(std::string name, std::function<int64_t()> get, std::function<void(int64_t)> set, int64_t def,
        std::function<bool()> stored = {});
    // Written whenever non-empty.
    void Binary(std::string name, std::function<TBinaryData()> get,
        std::function<void(TBinaryData const&)> set, std::function<bool()> stored = {});
    // Written whenever set; read after all components of the form exist.
    void Reference(std::string name, std::function<TComponent*()> get, std::function<void(TComponent*)> set);

    std::vector<TPropInfo> const& Items() const { return FItems; }
    TPropInfo const* Find(std::string_view name) const;

private:
    std::vector<TPropInfo> FItems;
};

// Component classes that stored forms may name. Toolkit classes are registered on first
// use; other layers register theirs (chrome, skin) before their forms are read.
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
void RegisterComponentClass(std::string const& className, TComponentFactory factory);
bool IsComponentClassRegistered(std::string const& className);
// Registers the toolkit's own classes (TImage, TLabel, ...); called by the reader itself.
void RegisterToolkitClasses();

// Reads a stored form into an existing root (usually a form whose constructor calls it).
// Children are created through the class registry with the root as owner. Errors raise
// EReadError naming the form, the component and the property. `formName` is used in
// messages (the resource name, for instance). Objects nest at most MaxObjectNesting levels,
// the root counting as one; deeper text is an EReadError, not a stack overflow.
constexpr int MaxObjectNesting = 100;
void ReadComponentText(TComponent* root, std::string_view text, std::string const& formName);
// Reads the form from the embedded resource of that name.
void ReadComponentResource(TComponent* root, std::string const& resourceName);

// Writes the root and every component it owns, in creation order.
std::string WriteComponentText(TComponent* root);

// Colour names of the format ("clBtnFace"), and the reverse.
std::string ColorToString(int64_t color);
bool StringToColor(std::string_view text, int64_t& color);

} // namespace xe::tk
