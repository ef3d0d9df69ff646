#pragma once

namespace xe::chrome {

// Makes TGauge, TImageBtn and TImageTitle known to the stored-form reader. Idempotent.
void RegisterChromeClasses();

} // namespace xe::chrome
