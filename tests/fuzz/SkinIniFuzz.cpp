// Fuzz entry point of the skin description reader. The input is the description text of
// a package whose picture slots are all empty, so every byte reaches the INI reader and
// the description classes. A load must either succeed or raise one of the system's
// errors and leave the container empty. After a successful load, every description
// object saved and read back must save to the same section again, and the container's
// lists must hold exactly the entries whose type names a class.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"

using namespace xe::skin;

namespace {

std::string Int32Bytes(uint32_t v)
{
    return { char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24) };
}

// Saves the object, reads the saved section into a fresh object and saves that: both
// saves must agree.
template <class T, class Make> void ExpectStableRoundTrip(T const& object, Make make)
{
    TMemIniFile first;
    object.SaveToIni(first);
    std::unique_ptr<T> again = make();
    again->LoadFromIni(first);
    TMemIniFile second;
    again->SaveToIni(second);
    if (first.Text() != second.Text())
        std::abort();
}

template <class List, class Create>
void CheckList(TMemIniFile const& f, char const* section, List const& list, Create create)
{
    size_t position = 0;
    int count = ReadInt(f, section, "count", 0);
    for (int i : PresentIndexKeys(f, section, count)) {
        std::string name, type;
        SplitEntry(ReadStr(f, section, xe::base::IntToStr(i)), name, type);
        if (!create(type, name))
            continue;
        if (position >= list.size() || list[position]->IDName != name)
            std::abort();
        auto const& object = *list[position++];
        ExpectStableRoundTrip(object, [&] { return create(type, name); });
    }
    if (position != list.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    std::string_view text(reinterpret_cast<char const*>(data), size);
    std::string package = Int32Bytes(2) + std::string(PackageSlots(2).size(), '\x01') + Int32Bytes(0);
    package += text;

    TspSkinData skin(nullptr);
    try {
        skin.LoadFromPackage(package);
    } catch (xe::base::Exception const&) {
        if (!skin.Empty())
            std::abort();
        return 0;
    }
    if (skin.Empty())
        std::abort();

    TMemIniFile f(text);
    CheckList(f, "SKINOBJECTS", skin.ObjectList, CreateSkinObject);
    CheckList(f, "SKINCONTROLS", skin.CtrlList, CreateSkinControl);
    for (auto const& control : skin.CtrlList)
        if (size_t(skin.IndexOfControl(control->IDName)) >= skin.CtrlList.size())
            std::abort();

    TMemIniFile windows;
    skin.PopupWindow.SaveToIni(windows, "POPUPWINDOW");
    skin.HintWindow.SaveToIni(windows, "HINTWINDOW");
    TspDataSkinPopupWindow popup;
    popup.LoadFromIni(windows, "POPUPWINDOW");
    TspDataSkinHintWindow hint;
    hint.LoadFromIni(windows, "HINTWINDOW");
    TMemIniFile again;
    popup.SaveToIni(again, "POPUPWINDOW");
    hint.SaveToIni(again, "HINTWINDOW");
    if (again.Text() != windows.Text())
        std::abort();
    return 0;
}
