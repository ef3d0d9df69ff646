#include "platform/graphics/FontEngine.h"

#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <unordered_map>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"

// Fontconfig leaks a little while parsing its configuration files, once per process, and so
// does the session-bus library that SDL2 opens for a display. Sanitizer builds are told to
// ignore that, so that leak checks stay meaningful for our own code. (A program has one such
// list: this is it.)
#if defined(__SANITIZE_ADDRESS__)
#define XE_LEAK_CHECKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define XE_LEAK_CHECKS 1
#endif
#endif
#ifdef XE_LEAK_CHECKS
extern "C" char const* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }
#endif

namespace xe::gfx {

namespace {

constexpr char const* SansFamily = "Liberation Sans";
constexpr char const* SerifFamily = "Liberation Serif";
constexpr char const* MonoFamily = "Liberation Mono";
constexpr char const* CjkFamily = "WenQuanYi Micro Hei";

// One face file opened once; sizes are per instance.
struct TFace {
    FT_Face Face = nullptr;
    std::string File;
    bool Bold = false; // the face itself is bold
    bool Italic = false; // the face itself is italic
};

class TLibrary {
public:
    // Never destroyed: cached font instances hold sizes of its faces until the process ends.
    static TLibrary& Get()
    {
        static TLibrary* library = new TLibrary;
        return *library;
    }

    FT_Library Ft() const { return FFt; }

    // The face of family closest to the wanted style, opened on first use.
    TFace& FaceFor(std::string const& family, bool bold, bool italic)
    {
        auto key = std::make_tuple(family, bold, italic);
        auto it = FByStyle.find(key);
        if (it != FByStyle.end())
            return *it->second;
        auto [file, index, faceBold, faceItalic] = Locate(FConfig, family, bold, italic);
        std::string fileKey = file + "#" + std::to_string(index);
        auto& face = FFaces[fileKey];
        if (!face) {
            face = std::make_unique<TFace>();
            if (FT_New_Face(FFt, file.c_str(), index, &face->Face) != 0) {
                FFaces.erase(fileKey);
                throw base::EOutOfResources("Cannot open the font file " + file);
            }
            face->File = file;
            face->Bold = faceBold;
            face->Italic = faceItalic;
        }
        FByStyle[key] = face.get();
        return *face;
    }

private:
    TLibrary()
    {
        if (FT_Init_FreeType(&FFt) != 0)
            throw base::EOutOfResources("Cannot initialise FreeType");
        FConfig = FcInitLoadConfigAndFonts();
        if (!FConfig)
            throw base::EOutOfResources("Cannot initialise fontconfig");
    }

    // Lists the installed faces of exactly this family and picks the closest style.
    static std::tuple<std::string, int, bool, bool> Locate(
        FcConfig* config, std::string const& family, bool bold, bool italic)
    {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<FcChar8 const*>(family.c_str()));
        FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, nullptr);
        FcFontSet* set = FcFontList(config, pattern, objects);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(pattern);

        std::tuple<std::string, int, bool, bool> best;
        int bestScore = -1;
        for (int i = 0; set && i < set->nfont; ++i) {
            FcPattern* font = set->fonts[i];
            bool exact = false;
            FcChar8* name = nullptr;
            for (int n = 0; FcPatternGetString(font, FC_FAMILY, n, &name) == FcResultMatch; ++n)
                if (family == reinterpret_cast<char const*>(name))
                    exact = true;
            FcChar8* file = nullptr;
            if (!exact || FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch)
                continue;
            int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
            FcPatternGetInteger(font, FC_INDEX, 0, &index);
            FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
            FcPatternGetInteger(font, FC_SLANT, 0, &slant);
            bool faceBold = weight >= FC_WEIGHT_BOLD;
            bool faceItalic = slant != FC_SLANT_ROMAN;
            int score = (faceBold == bold ? 2 : 0) + (faceItalic == italic ? 1 : 0);
            // Prefer the plain weight among several non-bold faces.
            if (score > bestScore || (score == bestScore && weight == FC_WEIGHT_REGULAR)) {
                bestScore = score;
                best = { reinterpret_cast<char const*>(file), index, faceBold, faceItalic };
            }
        }
        if (set)
            FcFontSetDestroy(set);
        if (bestScore < 0)
            throw base::EOutOfResources(
                "The font " + family + " is not installed (scripts/setup installs it)");
        return best;
    }

    FT_Library FFt = nullptr;
    FcConfig* FConfig = nullptr; // kept for the process, like the faces
    std::map<std::string, std::unique_ptr<TFace>> FFaces;
    std::map<std::tuple<std::string, bool, bool>, TFace*> FByStyle;
};

// A face at one pixel size, with its own FreeType size object.
struct TSizedFace {
    TFace* Face = nullptr;
    FT_Size Size = nullptr;
    int Em = 0;

    void Init(TFace& face, int em)
    {
        Face = &face;
        Em = em;
        if (FT_New_Size(face.Face, &Size) != 0)
            throw base::EOutOfResources("Cannot create a font size");
        Activate();
        FT_Set_Pixel_Sizes(face.Face, 0, FT_UInt(em));
    }
    void Activate() const { FT_Activate_Size(Size); }
    ~TSizedFace()
    {
        if (Size)
            FT_Done_Size(Size);
    }
};

int Scale(long units, int em, int upem) { return int(std::lround(double(units) * em / upem)); }

class TFreeTypeInstance : public TFontInstance {
public:
    TFreeTypeInstance(std::string const& family, int height, bool bold, bool italic)
        : FFamily(family)
        , FBold(bold)
        , FItalic(italic)
    {
        auto& lib = TLibrary::Get();
        TFace& face = lib.FaceFor(family, bold, italic);
        FT_Face ft = face.Face;
        int upem = ft->units_per_EM ? ft->units_per_EM : 2048;
        long ascender = ft->ascender, descender = -ft->descender;
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
        if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
            ascender = os2->usWinAscent;
            descender = os2->usWinDescent;
        }
        // A positive height is the cell height, a negative one the em height.
        int em
            = height < 0 ? -height : int(std::lround(double(height) * upem / double(ascender + descender)));
        if (height == 0)
            em = 13; // the platform's default size for a zero height
        em = std::max(em, 1);
        FPrimary.Init(face, em);

        auto& m = FMetrics;
        m.EmHeight = em;
        m.Ascent = Scale(ascender, em, upem);
        m.Descent = Scale(descender, em, upem);
        m.Height = m.Ascent + m.Descent;
        m.MaxCharWidth = Scale(ft->max_advance_width, em, upem);
        m.AveCharWidth = os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0
            ? Scale(os2->xAvgCharWidth, em, upem)
            : Glyph(U'x').Advance;
        m.UnderlineThickness = std::max(1, Scale(ft->underline_thickness, em, upem));
        m.UnderlineOffset = std::clamp(Scale(-ft->underline_position, em, upem) - m.UnderlineThickness / 2, 1,
            std::max(1, m.Descent - m.UnderlineThickness));
        if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
            m.StrikeOutThickness = std::max(1, Scale(os2->yStrikeoutSize, em, upem));
            m.StrikeOutOffset = Scale(os2->yStrikeoutPosition, em, upem);
        } else {
            m.StrikeOutThickness = m.UnderlineThickness;
            m.StrikeOutOffset = m.Ascent / 3;
        }
        FFile = face.File;
    }

    TFontMetrics const& Metrics() const override { return FMetrics; }
    std::string const& FaceFile() const override { return FFile; }
    std::string const& Family() const override { return FFamily; }

    TGlyphImage const& Glyph(char32_t ch) override
    {
        auto it = FGlyphs.find(ch);
        if (it != FGlyphs.end())
            return it->second;
        return FGlyphs.emplace(ch, Render(ch)).first->second;
    }

private:
    TSizedFace& Fallback()
    {
        if (!FFallback) {
            auto& lib = TLibrary::Get();
            FFallback = std::make_unique<TSizedFace>();
            FFallback->Init(
                lib.FaceFor(FFamily == CjkFamily ? SansFamily : CjkFamily, FBold, FItalic), FPrimary.Em);
        }
        return *FFallback;
    }

    TGlyphImage Render(char32_t ch)
    {
        if (ch < 0x20)
            return {}; // control characters take no room and show nothing
        TSizedFace* sized = &FPrimary;
        FT_UInt index = FT_Get_Char_Index(FPrimary.Face->Face, ch);
        if (index == 0) {
            TSizedFace& fallback = Fallback();
            FT_UInt other = FT_Get_Char_Index(fallback.Face->Face, ch);
            if (other != 0) {
                sized = &fallback;
                index = other;
            }
        }
        TGlyphImage glyph;
        FT_Face face = sized->Face->Face;
        sized->Activate();
        // The auto-hinter fits stems to whole pixels in both directions; the fonts' own
        // instructions, as FreeType runs them today, hint only vertically, which lets round
        // glyphs bulge into their neighbours at small monochrome sizes.
        if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP | FT_LOAD_FORCE_AUTOHINT) != 0)
            return glyph;
        FT_GlyphSlot slot = face->glyph;
        if (FItalic && !sized->Face->Italic && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            // Slant the outline as the platform does for a face without an italic.
            FT_Matrix shear { 0x10000, 0x0366A, 0, 0x10000 };
            FT_Outline_Transform(&slot->outline, &shear);
        }
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
            return glyph;
        glyph.Advance = int((slot->advance.x + 32) >> 6);
        glyph.Left = slot->bitmap_left;
        glyph.Top = slot->bitmap_top;
        FT_Bitmap const& bm = slot->bitmap;
        bool embolden = FBold && !sized->Face->Bold;
        glyph.Width = int(bm.width) + (embolden && bm.width > 0 ? 1 : 0);
        glyph.Height = int(bm.rows);
        glyph.Mask.assign(size_t(glyph.Width) * size_t(glyph.Height), 0);
        for (int y = 0; y < int(bm.rows); ++y) {
            unsigned char const* row = bm.buffer + y * bm.pitch;
            for (int x = 0; x < int(bm.width); ++x) {
                bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1
                                                              : row[x] >= 128;
                if (!on)
                    continue;
                glyph.Mask[size_t(y) * glyph.Width + x] = 1;
                // A synthetic bold draws every pixel twice, one column apart.
                if (embolden)
                    glyph.Mask[size_t(y) * glyph.Width + x + 1] = 1;
            }
        }
        if (embolden)
            glyph.Advance += 1;
        return glyph;
    }

    std::string FFamily;
    bool FBold;
    bool FItalic;
    std::string FFile;
    TSizedFace FPrimary;
    std::unique_ptr<TSizedFace> FFallback;
    TFontMetrics FMetrics;
    std::unordered_map<char32_t, TGlyphImage> FGlyphs;
};

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && base::SameText(s.substr(0, prefix.size()), prefix);
}

} // namespace

std::string FontFamilyFor(std::string_view faceName)
{
    std::string name = base::Trim(faceName);
    if (!name.empty() && name[0] == '@') // vertical variants of CJK faces
        name.erase(0, 1);
    for (char c : name)
        if (static_cast<unsigned char>(c) >= 0x80)
            return CjkFamily; // a name in the ANSI code page beyond ASCII: a CJK face
    for (char const* n : { SansFamily, SerifFamily, MonoFamily, CjkFamily })
        if (base::SameText(name, n))
            return n;
    static char const* const cjk[] = { "SimSun", "NSimSun", "SimHei", "Microsoft YaHei", "KaiTi", "FangSong",
        "MingLiU", "PMingLiU", "Microsoft JhengHei", "DFKai-SB", "MS Gothic", "MS PGothic", "MS Mincho",
        "MS UI Gothic", "Gulim", "Batang", "Dotum", "WenQuanYi" };
    for (char const* n : cjk)
        if (StartsWithNoCase(name, n))
            return CjkFamily;
    static char const* const serif[]
        = { "Times New Roman", "Times", "MS Serif", "Georgia", "Roman", "Serif" };
    for (char const* n : serif)
        if (base::SameText(name, n))
            return SerifFamily;
    static char const* const mono[]
        = { "Courier New", "Courier", "Fixedsys", "Lucida Console", "Consolas", "Terminal", "Monospace" };
    for (char const* n : mono)
        if (base::SameText(name, n))
            return MonoFamily;
    return SansFamily;
}

TFontInstance& FontInstanceFor(TFont const& font)
{
    static std::mutex lock;
    static std::map<std::tuple<std::string, int, bool, bool>, std::unique_ptr<TFontInstance>> cache;
    std::lock_guard guard(lock);
    std::string family = FontFamilyFor(font.Name());
    bool bold = (font.Style() & fsBold) != 0, italic = (font.Style() & fsItalic) != 0;
    auto key = std::make_tuple(family, font.Height(), bold, italic);
    auto it = cache.find(key);
    if (it != cache.end())
        return *it->second;
    auto instance = std::make_unique<TFreeTypeInstance>(family, font.Height(), bold, italic);
    return *cache.emplace(key, std::move(instance)).first->second;
}

} // namespace xe::gfx
