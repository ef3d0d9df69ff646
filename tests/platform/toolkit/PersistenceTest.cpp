#include "platform/toolkit/Persistence.h"

#include "platform/base/Colors.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/toolkit/Resources.h"

#include <gtest/gtest.h>

using namespace xe::tk;
using xe::base::Ansi;

namespace {

std::vector<std::string> GLoadedLog;

class TItem : public TComponent {
public:
    using TComponent::TComponent;
    char const* ClassName() const override { return "TItem"; }
    void DefineProperties(TProperties& p) override
    {
        TComponent::DefineProperties(p);
        p.Integer(
            "Count", [this] { return Count; }, [this](int64_t v) { Count = int(v); });
        p.Boolean(
            "Visible", [this] { return Visible; }, [this](bool v) { Visible = v; }, true);
        p.String(
            "Caption", [this] { return Caption; }, [this](std::string const& v) { Caption = v; });
        p.Enum(
            "Style", { "stOne", "stTwo", "stThree" }, [this] { return Style; },
            [this](int64_t v) { Style = int(v); }, 0);
        p.Set(
            "Options", { "opA", "opB", "opC" }, [this] { return Options; },
            [this](int64_t v) { Options = v; });
        p.Color(
            "Color", [this] { return Color; }, [this](int64_t v) { Color = v; }, xe::base::clBtnFace);
        p.Binary(
            "Data", [this] { return Data; }, [this](TBinaryData const& v) { Data = v; });
        p.Reference(
            "Buddy", [this] { return Buddy; }, [this](TComponent* v) { Buddy = v; });
    }
    void Loaded() override
    {
        GLoadedLog.push_back(
            Name() + (IsLoading() ? " loading" : " loaded") + (Buddy ? " buddy " + Buddy->Name() : ""));
    }

    int Count = 0;
    bool Visible = true;
    std::string Caption;
    int Style = 0;
    int64_t Options = 0;
    int64_t Color = xe::base::clBtnFace;
    TBinaryData Data;
    TComponent* Buddy = nullptr;
};

class TRoot : public TComponent {
public:
    TRoot()
        : TComponent(nullptr)
    {
        RegisterComponentClass("TItem", [](TComponent* owner) { return new TItem(owner); });
    }
    char const* ClassName() const override { return "TRoot"; }
    void DefineProperties(TProperties& p) override
    {
        p.Integer(
            "Left", [this] { return Left; }, [this](int64_t v) { Left = int(v); });
    }
    int Left = 0;
};

// Written exactly as the writer writes it, so that it must come back byte for byte.
char const* const kForm = "object Root1: TRoot\n"
                          "  Left = -320\n"
                          "  object First: TItem\n"
                          "    Count = 42\n"
                          "    Visible = False\n"
                          "    Caption = ' 数据导出 ''q'''#13#10'x'\n"
                          "    Style = stThree\n"
                          "    Options = [opA, opC]\n"
                          "    Color = $00BBCCDD\n"
                          "    Data = {\n"
                          "      000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
                          "      FF7F\n"
                          "    }\n"
                          "    Buddy = Second\n"
                          "  end\n"
                          "  object Second: TItem\n"
                          "    Color = clWhite\n"
                          "    Data = resource 'test/blob.bin'\n"
                          "    Buddy = Root1\n"
                          "  end\n"
                          "end\n";

} // namespace

TEST(PersistenceTest, ReadsEveryKindOfValue)
{
    RegisterResourceCopy("test/blob.bin", std::string("\x00\x01zz", 4));
    TRoot root;
    ReadComponentText(&root, kForm, "Root1");
    EXPECT_EQ(root.Name(), "Root1");
    EXPECT_EQ(root.Left, -320);
    ASSERT_EQ(root.ComponentCount(), 2);
    auto* first = dynamic_cast<TItem*>(root.Components(0));
    auto* second = dynamic_cast<TItem*>(root.Components(1));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Name(), "First");
    EXPECT_EQ(first->Count, 42);
    EXPECT_FALSE(first->Visible);
    EXPECT_EQ(first->Caption, Ansi(u8" 数据导出 'q'\r\nx")); // UTF-8 in the file, ANSI in memory
    EXPECT_EQ(first->Style, 2);
    EXPECT_EQ(first->Options, 5);
    EXPECT_EQ(first->Color, 0x00BBCCDD);
    EXPECT_EQ(first->Data.Bytes.size(), 34u);
    EXPECT_EQ(uint8_t(first->Data.Bytes[33]), 0x7F);
    EXPECT_EQ(first->Buddy, second); // a reference forward in the file
    EXPECT_EQ(second->Color, xe::base::clWhite);
    EXPECT_EQ(second->Data.Bytes, std::string("\x00\x01zz", 4));
    EXPECT_EQ(second->Data.Resource, "test/blob.bin");
    EXPECT_EQ(second->Buddy, &root);
    EXPECT_EQ(second->Count, 0); // not stored: the constructor's value
}

TEST(PersistenceTest, WriterReproducesItsOwnFileByteForByte)
{
    RegisterResourceCopy("test/blob.bin", std::string("\x00\x01zz", 4));
    TRoot root;
    ReadComponentText(&root, kForm, "Root1");
    EXPECT_EQ(WriteComponentText(&root), kForm);

    // A changed binary property is written whole instead of as the resource reference.
    auto* second = dynamic_cast<TItem*>(root.Components(1));
    second->Data = TBinaryData { "AB", "" };
    std::string text = WriteComponentText(&root);
    EXPECT_NE(text.find("Data = {\n      4142\n    }\n"), std::string::npos) << text;
    TRoot again;
    ReadComponentText(&again, text, "Root1");
    EXPECT_EQ(WriteComponentText(&again), text);
}

TEST(PersistenceTest, LayoutsWithWindowsOrOldMacLineEndsReadTheSame)
{
    RegisterResourceCopy("test/blob.bin", std::string("\x00\x01zz", 4));
    for (char const* lineEnd : { "\r\n", "\r" }) {
        std::string text;
        for (char c : std::string_view(kForm))
            text += c == '\n' ? std::string(lineEnd) : std::string(1, c);
        TRoot root;
        ReadComponentText(&root, text, "Root1");
        EXPECT_EQ(WriteComponentText(&root), kForm) << "line end " << int(lineEnd[1]);
    }
}

TEST(PersistenceTest, LoadedRunsAfterReferencesWithTheLoadingStateCleared)
{
    RegisterResourceCopy("test/blob.bin", "x");
    GLoadedLog.clear();
    TRoot root;
    ReadComponentText(&root, kForm, "Root1");
    EXPECT_EQ(
        GLoadedLog, (std::vector<std::string> { "First loaded buddy Second", "Second loaded buddy Root1" }));
    EXPECT_FALSE(root.IsLoading());
}

TEST(PersistenceTest, ErrorsNameTheFormTheComponentAndTheProperty)
{
    RegisterResourceCopy("test/blob.bin", "x");
    auto message = [](std::string const& text) {
        TRoot root;
        try {
            ReadComponentText(&root, text, "MyForm");
        } catch (const xe::base::EReadError& e) {
            return e.Message();
        }
        return std::string("no error");
    };
    std::string unknown = message("object R: TRoot\n  object Img: TItem\n    Stretch = True\n  end\nend\n");
    EXPECT_NE(unknown.find("MyForm"), std::string::npos) << unknown;
    EXPECT_NE(unknown.find("Img.Stretch"), std::string::npos) << unknown;

    std::string dangling = message("object R: TRoot\n  object Img: TItem\n    Buddy = Nobody\n  end\nend\n");
    EXPECT_NE(dangling.find("MyForm"), std::string::npos) << dangling;
    EXPECT_NE(dangling.find("Img.Buddy"), std::string::npos) << dangling;
    EXPECT_NE(dangling.find("Nobody"), std::string::npos) << dangling;

    EXPECT_NE(message("object R: TRoot\n  object Img: TNoSuchClass\n  end\nend\n").find("TNoSuchClass"),
        std::string::npos);
    EXPECT_NE(message("object R: TOther\nend\n").find("TOther"), std::string::npos);
    EXPECT_NE(message("object R: TRoot\n  Left = 12x\nend\n").find("line 2"), std::string::npos);
    EXPECT_NE(message("object R: TRoot\r  Left = 12x\rend\r").find("line 2"), std::string::npos);
    EXPECT_NE(message("object R: TRoot\n  object I: TItem\n    Style = stNine\n  end\nend\n").find("I.Style"),
        std::string::npos);
    EXPECT_NE(
        message("object R: TRoot\n  object I: TItem\n    Data = {0A0\n    }\n  end\nend\n").find("I.Data"),
        std::string::npos);
    EXPECT_NE(message("object R: TRoot\n  object I: TItem\n    Data = resource 'no/such'\n  end\nend\n")
                  .find("no/such"),
        std::string::npos);
    EXPECT_NE(
        message("object R: TRoot\n  object I: TItem\n  end\n").find("'end' expected"), std::string::npos);
    EXPECT_NE(message("object R: TRoot\n  object I: TItem\n  end\n  object I: TItem\n  end\nend\n")
                  .find("already exists"),
        std::string::npos);
}

TEST(PersistenceTest, ColourNamesRoundTrip)
{
    int64_t c = 0;
    ASSERT_TRUE(StringToColor("clGradientActiveCaption", c));
    EXPECT_EQ(c, xe::base::clGradientActiveCaption);
    EXPECT_EQ(ColorToString(c), "clGradientActiveCaption");
    EXPECT_EQ(ColorToString(xe::base::RGB(187, 204, 214)), "$00D6CCBB");
    ASSERT_TRUE(StringToColor("$00D6CCBB", c));
    EXPECT_EQ(c, xe::base::RGB(187, 204, 214));
    EXPECT_FALSE(StringToColor("clNoSuch", c));
}

TEST(PersistenceTest, NestingIsLimitedWithAClearError)
{
    auto nested = [](int levels) {
        std::string text;
        for (int i = 0; i < levels; ++i)
            text += i == 0 ? "object R: TRoot\n" : "object I" + std::to_string(i) + ": TItem\n";
        for (int i = 0; i < levels; ++i)
            text += "end\n";
        return text;
    };
    TRoot deepest;
    ReadComponentText(&deepest, nested(MaxObjectNesting), "Deep");
    EXPECT_EQ(deepest.ComponentCount(), MaxObjectNesting - 1);

    for (int levels : { MaxObjectNesting + 1, 200000 }) {
        TRoot root;
        try {
            ReadComponentText(&root, nested(levels), "Deep");
            ADD_FAILURE() << levels << " levels read";
        } catch (xe::base::EReadError const& e) {
            EXPECT_NE(e.Message().find("Error reading form Deep, line " + std::to_string(MaxObjectNesting + 1)
                          + ": objects nested deeper than " + std::to_string(MaxObjectNesting) + " levels"),
                std::string::npos)
                << e.Message();
        }
    }
}
