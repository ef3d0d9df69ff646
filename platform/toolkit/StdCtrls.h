#pragma once

#include "platform/toolkit/Controls.h"

namespace xe::tk {

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A caption drawn in the control's font: aligned, optionally word-wrapped, on the control's
// colour or transparently. With AutoSize (the default) the label takes its text's size;
// a label of fixed size has AutoSize false.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    char const* ClassName() const override { return "TLabel"; }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);

    void DefineProperties(TProperties& properties) override;
    void Loaded() override;

    // The DrawText flags the label paints with.
    uint32_t DrawTextFlags() const;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void AdjustBounds();

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FTransparent = false;
    TTextLayout FLayout = tlTop;
};

} // namespace xe::tk
