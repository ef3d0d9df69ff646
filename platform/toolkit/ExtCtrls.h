#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/toolkit/Controls.h"
#include "platform/toolkit/Persistence.h"

#include <functional>

namespace xe::tk {

// A picture: one bitmap, loaded from BMP data. It remembers the data it was loaded from so
// that an unchanged picture is written back with its original bytes (or as the reference to
// the embedded resource it came from).
class TPicture {
public:
    // Read access; drawing on the bitmap goes through Edit()/Changed().
    gfx::TBitmap const& Bitmap() const { return FBitmap; }
    // Write access: the picture counts as changed from now on; call Changed() when done.
    gfx::TBitmap& Edit();
    // Copies the bitmap (the caller keeps its own) and reports the change.
    void Assign(gfx::TBitmap const& bitmap);
    void Assign(TPicture const& picture);
    // BMP bytes; empty bytes clear the picture. Raises EReadError for bad data.
    void LoadFromData(TBinaryData const& data);
    // What the form writer stores: the original bytes (or resource) when unchanged.
    TBinaryData Data() const;
    void Clear();
    void Changed();

    bool Empty() const { return FBitmap.Empty(); }
    int Width() const { return FBitmap.Width(); }
    int Height() const { return FBitmap.Height(); }

    std::function<void()> OnChange;

private:
    gfx::TBitmap FBitmap;
    TBinaryData FOriginal; // valid while !FModified
    bool FModified = false;
};

// Shows one picture: at its top-left corner, centred, or stretched over the control;
// transparently when asked (the picture's bottom-left pixel colour is left out). With
// AutoSize the control takes the picture's size.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    char const* ClassName() const override { return "TImage"; }

    TPicture& Picture() { return FPicture; }
    TPicture const& Picture() const { return FPicture; }
    void SetPicture(gfx::TBitmap const& bitmap) { FPicture.Assign(bitmap); }

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    void DefineProperties(TProperties& properties) override;

protected:
    void Paint() override;
    virtual void PictureChanged();
    // Where the picture goes, in client coordinates.
    TRect DestRect() const;

private:
    TPicture FPicture;
    bool FAutoSize = false;
    bool FStretch = false;
    bool FCenter = false;
    bool FTransparent = false;
};

// A message timer: while Enabled and Interval > 0 it fires OnTimer every Interval
// milliseconds, through the window system's timers (so on the virtual clock of the
// headless backend). Changing Interval or Enabled starts the period afresh.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    char const* ClassName() const override { return "TTimer"; }

    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    // Whether the window-system timer is set now.
    bool Running() const { return FId != 0; }

    TNotifyEvent OnTimer;

    void DefineProperties(TProperties& properties) override;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    static void TimerProc(win::HWND, win::UINT, win::UINT_PTR id, win::DWORD);

    unsigned FInterval = 1000;
    bool FEnabled = true;
    win::UINT_PTR FId = 0;
};

} // namespace xe::tk
