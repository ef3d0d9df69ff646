#include "tests/skin/controls/SkinControlTestUtil.h"

#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadio.h"
#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinStatusBar.h"

#include <string>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;

namespace {

// A stored form holding one of each control with the properties a designer sets, read
// back into a new form: the same values, the skin reference resolved by name, and the same
// text when written again.
TEST_F(SkinControlTest, ControlsAreStoredWithTheirDesignPropertiesAndReadBack)
{
    RegisterSkinDataClasses();
    char const* text = R"(object Dialog: TForm
  Left = 10
  Top = 10
  Caption = 'Dialog'
  ActiveControl = Check1
  object spSkinData1: TspSkinData
  end
  object Ok: TspSkinButton
    Left = 8
    Top = 8
    Width = 80
    Height = 26
    Caption = 'OK'
    TabOrder = 2
    SkinData = spSkinData1
    ModalResult = mrOk
  end
  object Tool1: TspSkinToolButton
    Left = 100
    Top = 8
    SkinData = spSkinData1
    SkinDataName = 'button'
    GroupIndex = 3
    AllowAllUp = True
    Down = True
  end
  object Check1: TspSkinCheckBox
    Left = 8
    Top = 40
    Caption = 'Check'
    TabOrder = 0
    TabStop = False
    SkinData = spSkinData1
    Checked = True
  end
  object Radio1: TspSkinRadioButton
    Left = 8
    Top = 64
    TabOrder = 1
    SkinData = spSkinData1
    UseSkinFont = False
    GroupIndex = 2
    Checked = True
  end
  object Group1: TspSkinGroupBox
    Left = 120
    Top = 40
    Caption = 'Group'
    SkinData = spSkinData1
  end
  object Label1: TspSkinLabel
    Left = 8
    Top = 90
    Caption = 'Label'
    SkinData = spSkinData1
    Alignment = taCenter
  end
  object StdLabel1: TspSkinStdLabel
    Left = 8
    Top = 115
    Caption = 'Link'
    SkinData = spSkinData1
    WordWrap = True
  end
  object Gauge1: TspSkinGauge
    Left = 120
    Top = 110
    SkinData = spSkinData1
    SkinDataName = 'vgauge'
    Vertical = True
    MinValue = 10
    MaxValue = 50
    Value = 30
    ShowProgressText = True
  end
  object Status1: TspSkinStatusBar
    Top = 219
    Width = 312
    SkinData = spSkinData1
    Panels = '80,Ready'#13#10'0,Rows'#13#10
  end
end
)";
    auto* form = App->CreateForm<tk::TForm>();
    tk::ReadComponentText(form, text, "Dialog");
    auto* data = tk::FindComponentAs<TspSkinData>(form, "spSkinData1");
    auto* ok = tk::FindComponentAs<TspSkinButton>(form, "Ok");
    auto* tool = tk::FindComponentAs<TspSkinToolButton>(form, "Tool1");
    auto* check = tk::FindComponentAs<TspSkinCheckBox>(form, "Check1");
    auto* radio = tk::FindComponentAs<TspSkinRadioButton>(form, "Radio1");
    auto* label = tk::FindComponentAs<TspSkinLabel>(form, "Label1");
    auto* stdLabel = tk::FindComponentAs<TspSkinStdLabel>(form, "StdLabel1");
    auto* gauge = tk::FindComponentAs<TspSkinGauge>(form, "Gauge1");
    auto* status = tk::FindComponentAs<TspSkinStatusBar>(form, "Status1");
    EXPECT_EQ(ok->SkinData(), data);
    EXPECT_EQ(ok->ModalResult(), tk::mrOk);
    EXPECT_EQ(ok->TabOrder(), 2);
    EXPECT_TRUE(tool->IsDown());
    EXPECT_EQ(tool->GroupIndex(), 3);
    EXPECT_EQ(tool->SkinDataName(), "button");
    EXPECT_TRUE(check->Checked());
    EXPECT_FALSE(check->TabStop());
    EXPECT_EQ(check->TabOrder(), 0);
    EXPECT_EQ(form->ActiveControl(), check);
    EXPECT_TRUE(radio->Radio());
    EXPECT_FALSE(radio->UseSkinFont());
    EXPECT_EQ(label->Alignment(), tk::taCenter);
    EXPECT_TRUE(stdLabel->WordWrap());
    EXPECT_TRUE(gauge->Vertical());
    EXPECT_EQ(gauge->Value(), 30);
    EXPECT_EQ(gauge->MinValue(), 10);
    EXPECT_EQ(status->Panels().size(), 2u);
    EXPECT_EQ(status->Panels()[0], (TspStatusPanel { 80, "Ready" }));
    EXPECT_EQ(status->Panels()[1], (TspStatusPanel { 0, "Rows" }));
    EXPECT_EQ(status->Align(), tk::alBottom);

    // Loading the skin into the stored skin data reaches every control through the form.
    Skin.LoadInto(*data);
    EXPECT_NE(ok->LookAs<TspDataSkinButtonControl>(), nullptr);
    EXPECT_NE(gauge->LookAs<TspDataSkinGaugeControl>(), nullptr);
    EXPECT_TRUE(gauge->LookAs<TspDataSkinGaugeControl>()->Vertical);
    EXPECT_NE(status->LookAs<TspDataSkinPanelControl>(), nullptr);

    std::string written = tk::WriteComponentText(form);
    form->SetName("Original");
    auto* copy = App->CreateForm<tk::TForm>();
    tk::ReadComponentText(copy, written, "copy");
    EXPECT_EQ(tk::WriteComponentText(copy), written);
}

} // namespace
