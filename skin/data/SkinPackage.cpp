#include "skin/data/SkinPackage.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ini/MemIniFile.h"
#include "skin/data/SkinValues.h"
#include "skin/data/ZLibStreams.h"

#include <cstring>

namespace xe::skin {

using namespace xe::base;
using xe::gfx::TBitmap;

namespace {

void AppendInt32(std::string& out, int32_t value)
{
    uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}

int32_t Int32At(std::string_view bytes, size_t pos)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(uint8_t(bytes[pos + size_t(i)])) << (8 * i);
    return int32_t(v);
}

[[noreturn]] void ReadError() { throw EReadError("Stream read error"); }

} // namespace

bool PackageHasSlot(int32_t version, TSkinSlot slot)
{
    switch (slot) {
    case slPicture:
    case slMask:
        return true;
    case slInActivePicture:
        return version == 2 || version == 3;
    case slRollUpPicture:
    case slRollUpMask:
        return version == 1 || version == 2;
    }
    return false;
}

std::vector<TSkinSlot> PackageSlots(int32_t version)
{
    std::vector<TSkinSlot> out;
    for (TSkinSlot s : { slPicture, slInActivePicture, slMask, slRollUpPicture, slRollUpMask })
        if (PackageHasSlot(version, s))
            out.push_back(s);
    return out;
}

char const* SlotKeyName(TSkinSlot slot)
{
    static char const* const names[]
        = { "picture", "inactivepicture", "mask", "rolluppicture", "rollupmask" };
    return names[slot];
}

int32_t TPackageReader::ReadInt32()
{
    if (Remaining() < 4)
        ReadError();
    int32_t v = Int32At(FBytes, FPos);
    FPos += 4;
    return v;
}

uint8_t TPackageReader::ReadByte()
{
    if (Remaining() < 1)
        ReadError();
    return uint8_t(FBytes[FPos++]);
}

void TPackageReader::ReadBitmap(TBitmap& bitmap)
{
    // The bitmap reader checks the image against the bytes it is given; what it claims
    // to take must still lie inside the package.
    size_t taken = bitmap.LoadFromStream(Rest());
    if (taken == 0 || taken > Remaining())
        ReadError();
    FPos += taken;
}

size_t TPackageReader::SkipBitmap()
{
    TBitmap scratch;
    size_t start = FPos;
    ReadBitmap(scratch);
    return FPos - start;
}

std::vector<std::string> SplitTextLines(std::string_view text)
{
    std::vector<std::string_view> views = xe::base::SplitLines(text);
    // A final line end closes the last line rather than opening an empty one.
    if (views.back().empty())
        views.pop_back();
    return std::vector<std::string>(views.begin(), views.end());
}

bool BuildSkinPackage(std::string const& descriptionFile, std::string& package)
{
    std::string text = ReadFileBytes(descriptionFile);
    std::vector<std::string> lines = SplitTextLines(text);
    xe::ini::TMemIniFile ini(text);
    for (char const* section : { "VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS" })
        if (!ini.SectionExists(section))
            return false;
    std::string folder = ExtractFilePath(descriptionFile);

    std::string out;
    AppendInt32(out, SkinPackageVersion);
    for (TSkinSlot slot : PackageSlots(SkinPackageVersion)) {
        std::string name = ini.ReadString("PICTURES", SlotKeyName(slot), "");
        TBitmap bitmap;
        if (!name.empty())
            bitmap.LoadFromFile(folder + name);
        if (bitmap.Empty()) {
            out += char(1);
        } else {
            out += char(0);
            out += bitmap.SaveToBytes();
        }
    }
    std::vector<std::string> active = ReadStrings(ini, "PICTURES", "activepictures");
    AppendInt32(out, int32_t(active.size()));
    for (std::string const& name : active) {
        TBitmap bitmap;
        bitmap.LoadFromFile(folder + name);
        out += bitmap.SaveToBytes();
    }
    for (std::string const& line : lines)
        out += line + "\r\n";
    package = std::move(out);
    return true;
}

std::string CompressSkinPackage(std::string_view package)
{
    TMemoryStream source { std::string(package) };
    TMemoryStream target;
    CompressStream(source, target);
    return target.Bytes();
}

std::string DecompressSkinPackage(std::string_view compressed)
{
    TMemoryStream source { std::string(compressed) };
    TMemoryStream target;
    DecompressStream(target, source);
    return target.Bytes();
}

std::string MakeCompressedSkinFile(std::string_view compressed, int32_t version)
{
    std::string out;
    AppendInt32(out, version);
    AppendInt32(out, int32_t(compressed.size()));
    out += compressed;
    return out;
}

bool ReadCompressedSkinFile(std::string_view file, std::string& compressed)
{
    compressed.clear();
    TPackageReader r(file);
    if (r.ReadInt32() > MaxSkinPackageVersion)
        return false;
    int32_t length = r.ReadInt32();
    if (length <= 0)
        return false;
    if (size_t(length) > r.Remaining())
        ReadError();
    compressed = std::string(r.Rest().substr(0, size_t(length)));
    return true;
}

TSkinPackageInfo InspectSkinPackage(std::string_view package)
{
    TSkinPackageInfo info;
    TPackageReader r(package);
    info.Version = r.ReadInt32();
    if (info.Version > MaxSkinPackageVersion)
        throw EReadError(Format("Unknown skin package version %d", int(info.Version)));
    auto readImage = [&](TSkinPackageItem& item) {
        TBitmap bitmap;
        r.ReadBitmap(bitmap);
        item.Present = true;
        item.Width = bitmap.Width();
        item.Height = bitmap.Height();
        item.BitDepth = bitmap.BitDepth();
    };
    for (TSkinSlot slot : PackageSlots(info.Version)) {
        TSkinPackageItem item;
        item.Name = SlotKeyName(slot);
        item.Offset = r.Position();
        if (r.ReadByte() == 0)
            readImage(item);
        item.Length = r.Position() - item.Offset;
        info.Items.push_back(item);
    }
    int32_t count = r.ReadInt32();
    for (int32_t i = 0; i < count; ++i) {
        TSkinPackageItem item;
        item.Name = "activepicture " + IntToStr(i);
        item.Offset = r.Position();
        readImage(item);
        item.Length = r.Position() - item.Offset;
        info.Items.push_back(item);
    }
    TSkinPackageItem text;
    text.Name = "description";
    text.Offset = r.Position();
    text.Length = r.Remaining();
    text.Present = true;
    info.Items.push_back(text);
    info.Description = std::string(r.Rest());
    return info;
}

} // namespace xe::skin
