#pragma once

#include "platform/toolkit/Component.h"
#include "skin/data/Streams.h"

#include <string>

namespace xe::skin {

// Keeps a skin package, zlib-compressed, inside its form's stored data, so that a form
// carries its skin with no files beside the executable. At run time it only hands the
// decompressed package to a TspSkinData. At design time, setting FileName packs a skin
// description and its bitmaps, and setting CompressedFileName takes over the bytes of a
// compressed skin file; while a form is read, or at run time, both only store the name.
class TspCompressedStoredSkin : public xe::tk::TComponent {
public:
    explicit TspCompressedStoredSkin(xe::tk::TComponent* owner);
    char const* ClassName() const override { return "TspCompressedStoredSkin"; }

    bool IsEmpty() const { return FCompressedStream.Bytes().empty(); }
    // Decompresses the whole stored data afresh and writes the package into the target
    // at the target's position.
    void DecompressToStream(TStream& target) const;

    std::string const& Description() const { return FDescription; }
    void SetDescription(std::string const& value) { FDescription = value; }
    std::string const& FileName() const { return FFileName; }
    void SetFileName(std::string const& value);
    std::string const& CompressedFileName() const { return FCompressedFileName; }
    void SetCompressedFileName(std::string const& value);

    // The stored compressed bytes (the binary property CompressedData of the form).
    std::string const& CompressedData() const { return FCompressedStream.Bytes(); }
    void SetCompressedData(std::string const& bytes);

    void DefineProperties(xe::tk::TProperties& properties) override;

private:
    void PackDescription(std::string const& path);
    void ImportCompressedFile(std::string const& path);

    std::string FDescription;
    std::string FFileName;
    std::string FCompressedFileName;
    TMemoryStream FCompressedStream;
    // The embedded resource the data was read from, written back as such while the data
    // is unchanged.
    std::string FCompressedResource;
};

} // namespace xe::skin
