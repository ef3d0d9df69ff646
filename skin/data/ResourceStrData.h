#pragma once

#include "platform/toolkit/Component.h"

#include <string>
#include <string_view>
#include <vector>

namespace xe::skin {

// The texts the skin engine shows itself (system-menu captions, caption-button hints,
// captions of its dialogs), as lines "NAME=text". A new component holds the 73 English
// lines; assigning ResStrings replaces them all, so a name the new table lacks reads as
// empty.
class TspResourceStrData : public xe::tk::TComponent {
public:
    explicit TspResourceStrData(xe::tk::TComponent* owner);
    char const* ClassName() const override { return "TspResourceStrData"; }

    std::vector<std::string> const& ResStrings() const { return FResStrings; }
    void SetResStrings(std::vector<std::string> const& lines) { FResStrings = lines; }
    int CharSet() const { return FCharSet; }
    void SetCharSet(int value) { FCharSet = value; }
    std::string const& Description() const { return FDescription; }
    void SetDescription(std::string const& value) { FDescription = value; }

    // The text after the first "=" of the first line whose name (the part before that
    // "=") is the given one, letter case ignored; empty when no line has it.
    std::string GetResStr(std::string_view name) const;

    void DefineProperties(xe::tk::TProperties& properties) override;

private:
    std::vector<std::string> FResStrings;
    int FCharSet = 1; // the platform's default character set
    std::string FDescription;
};

// The built-in table, in its order.
std::vector<std::string> const& DefaultResStrings();

} // namespace xe::skin
