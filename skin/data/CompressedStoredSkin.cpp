#include "skin/data/CompressedStoredSkin.h"

#include "platform/base/Files.h"
#include "platform/ini/MemIniFile.h"
#include "platform/toolkit/Persistence.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/ZLibStreams.h"

namespace xe::skin {

using namespace xe::base;
using xe::tk::TBinaryData;
using xe::tk::TComponent;

TspCompressedStoredSkin::TspCompressedStoredSkin(TComponent* owner)
    : TComponent(owner)
{
}

void TspCompressedStoredSkin::DecompressToStream(TStream& target) const
{
    TMemoryStream source { FCompressedStream.Bytes() };
    DecompressStream(target, source);
}

void TspCompressedStoredSkin::SetFileName(std::string const& value)
{
    if (IsDesigning() && !IsLoading()) {
        FFileName = ExtractFileName(value);
        PackDescription(value);
    } else {
        FFileName = value;
    }
}

void TspCompressedStoredSkin::SetCompressedFileName(std::string const& value)
{
    if (IsDesigning() && !IsLoading()) {
        FCompressedFileName = ExtractFileName(value);
        ImportCompressedFile(value);
    } else {
        FCompressedFileName = value;
    }
}

void TspCompressedStoredSkin::SetCompressedData(std::string const& bytes)
{
    FCompressedStream.Clear();
    FCompressedStream.WriteBuffer(bytes.data(), int32_t(bytes.size()));
    FCompressedResource.clear();
}

void TspCompressedStoredSkin::PackDescription(std::string const& path)
{
    // A description without its five sections is not a skin; the old data stays.
    xe::ini::TMemIniFile ini(ReadFileBytes(path));
    for (char const* section : { "VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS" })
        if (!ini.SectionExists(section))
            return;
    // Emptied first: a picture that fails to load leaves the component empty.
    FCompressedStream.Clear();
    FCompressedResource.clear();
    std::string package;
    if (!BuildSkinPackage(path, package))
        return;
    TMemoryStream source { std::move(package) };
    CompressStream(source, FCompressedStream);
}

void TspCompressedStoredSkin::ImportCompressedFile(std::string const& path)
{
    FCompressedStream.Clear();
    FCompressedResource.clear();
    std::string compressed;
    if (ReadCompressedSkinFile(ReadFileBytes(path), compressed))
        SetCompressedData(compressed);
}

void TspCompressedStoredSkin::DefineProperties(xe::tk::TProperties& p)
{
    TComponent::DefineProperties(p);
    p.String(
        "Description", [this] { return FDescription; }, [this](std::string const& v) { SetDescription(v); });
    p.String(
        "FileName", [this] { return FFileName; }, [this](std::string const& v) { SetFileName(v); });
    p.String(
        "CompressedFileName", [this] { return FCompressedFileName; },
        [this](std::string const& v) { SetCompressedFileName(v); });
    p.Binary(
        "CompressedData",
        [this] {
            return TBinaryData { FCompressedStream.Bytes(), FCompressedResource };
        },
        [this](TBinaryData const& v) {
            SetCompressedData(v.Bytes);
            FCompressedResource = v.Resource;
        });
}

} // namespace xe::skin
