#pragma once

// The program's two windows on the headless backend, created as the program creates them,
// with InOut.ini looked for in a temporary folder; and clicks on their controls by name.

#include "app/FrmMessageT.h"
#include "app/FrmOutdata.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "resources/Embedded.h"
#include "tests/platform/toolkit/HeadlessFixture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace xe::test {

class AppWindowsTest : public HeadlessTest {
protected:
    void SetUp() override
    {
        tk::InstallEmbeddedResources();
        HeadlessTest::SetUp();
        State.Set(app::Frm_outdata, nullptr);
        State.Set(app::Frm_MessageT, nullptr);
        app::CreateWindows(*App);
        Main = app::Frm_outdata;
        Dialog = app::Frm_MessageT;
        Main->ConfigDirectory = Dir.Path();
    }

    // Scripts a click at the centre of the form's control of that name, moved by (dx, dy);
    // the point is taken from the layout now, the click happens when the script reaches it.
    void ClickControl(tk::TForm const& form, std::string const& name, int dx = 0, int dy = 0)
    {
        auto* control = dynamic_cast<tk::TControl*>(form.FindComponent(name));
        if (!control)
            throw std::invalid_argument(std::string(form.ClassName()) + " has no control " + name);
        int x = control->Width() / 2 + dx;
        int y = control->Height() / 2 + dy;
        for (tk::TControl const* c = control; c != &form; c = c->Parent()) {
            if (!c)
                throw std::invalid_argument(name + " is not on " + form.ClassName());
            x += c->Left();
            y += c->Top();
        }
        H->Click(form.Caption(), x, y);
    }

    base::TTempDir Dir { "xe-app" };
    app::TFrm_outdata* Main = nullptr;
    app::TFrm_MessageT* Dialog = nullptr;
    std::string const MainCaption = base::Ansi(u8"XML数据导出");
    std::string const DialogCaption = base::Ansi(u8"提示信息");
};

} // namespace xe::test
