#include "chrome/ChromeClasses.h"

#include "chrome/Gauge.h"
#include "chrome/ImageBtn.h"
#include "chrome/ImageTitle.h"
#include "platform/toolkit/Persistence.h"

namespace xe::chrome {

void RegisterChromeClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    tk::RegisterComponentClass("TGauge", [](tk::TComponent* owner) { return new TGauge(owner); });
    tk::RegisterComponentClass("TImageBtn", [](tk::TComponent* owner) { return new TImageBtn(owner); });
    tk::RegisterComponentClass("TImageTitle", [](tk::TComponent* owner) { return new TImageTitle(owner); });
}

} // namespace xe::chrome
