#pragma once

#include "platform/base/Colors.h"
#include "platform/graphics/Bitmap.h"
#include "skin/data/SkinData.h"
#include "skin/draw/ActiveSkinObject.h"

#include <memory>
#include <string>
#include <vector>

namespace xe::test {

// A form that logs what its objects ask of it, one line a call.
class RecordingHost : public skin::TSkinObjectHost {
public:
    std::vector<std::string> Log;
    skin::TspSkinPopupSource* Menu = nullptr;
    bool ToTray = false;

    bool IsFormActive() const override { return true; }
    void StartMorphTimer() override { Log.push_back("morph"); }
    void StartAnimateTimer() override { Log.push_back("animate"); }
    void RedrawObject(skin::TspActiveSkinObject& o) override { Log.push_back("redraw " + o.IDName); }
    void MouseDownEvent(std::string const& id, int, int, base::TRect const&, win::TMouseButton) override
    {
        Log.push_back("down " + id);
    }
    void MouseUpEvent(std::string const& id, int, int, base::TRect const&, win::TMouseButton) override
    {
        Log.push_back("up " + id);
    }
    void MouseMoveEvent(std::string const& id, int, int, base::TRect const&) override
    {
        Log.push_back("move " + id);
    }
    void MouseEnterEvent(std::string const& id) override { Log.push_back("enter " + id); }
    void MouseLeaveEvent(std::string const& id) override { Log.push_back("leave " + id); }
    void PaintEvent(std::string const&, gfx::TCanvas&, base::TRect const&) override { }
    void SwitchChangeStateEvent(std::string const& id, skin::TSwitchState s) override
    {
        Log.push_back("switch " + id + " " + std::to_string(int(s)));
    }
    void TrackBarChangeValueEvent(std::string const& id, int v) override
    {
        Log.push_back("track " + id + " " + std::to_string(v));
    }
    void FrameRegulatorChangeValueEvent(std::string const& id, int v) override
    {
        Log.push_back("regulator " + id + " " + std::to_string(v));
    }
    bool AlwaysMinimizeToTray() const override { return ToTray; }
    void WindowCommand(skin::TspWindowCommand c) override
    {
        Log.push_back("command " + std::to_string(int(c)));
    }
    skin::TspSkinPopupSource* SystemMenuSource() override { return Menu; }
    base::TPoint FrameScreenOrigin() const override { return { 100, 200 }; }
    void PopupMenuAt(skin::TspSkinPopupSource& menu, base::TRect const& r, bool above) override
    {
        Log.push_back(std::string(&menu == Menu ? "sysmenu " : "popup ") + std::to_string(r.Left) + ","
            + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," + std::to_string(r.Bottom)
            + (above ? " above" : ""));
    }

    bool Logged(std::string const& line) const
    {
        for (auto const& l : Log)
            if (l == line)
                return true;
        return false;
    }
    // The entries that start with prefix, in order.
    std::vector<std::string> Only(std::string const& prefix) const
    {
        std::vector<std::string> r;
        for (auto const& l : Log)
            if (l.rfind(prefix, 0) == 0)
                r.push_back(l);
        return r;
    }
};

// The frame picture and active picture 0 carry a pattern that names each pixel's place:
// frame pixel (x, y) is RGB(x, y, 50), active pixel (x, y) is RGB(x, y, 200). A drawn pixel
// therefore tells which picture and which source pixel it came from.
inline base::TColor FramePx(int x, int y) { return base::RGB(uint8_t(x), uint8_t(y), 50); }
inline base::TColor OwnPx(int x, int y) { return base::RGB(uint8_t(x), uint8_t(y), 200); }

struct PatternSkin {
    skin::TspSkinData Data { nullptr };
    PatternSkin()
    {
        Data.Picture().SetSize(64, 64);
        auto own = std::make_unique<gfx::TBitmap>(64, 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                Data.Picture().SetPixel(x, y, FramePx(x, y));
                own->SetPixel(x, y, OwnPx(x, y));
            }
        Data.ActivePictures.push_back(std::move(own));
    }
};

} // namespace xe::test
