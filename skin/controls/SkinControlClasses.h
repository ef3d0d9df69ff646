#pragma once

namespace xe::skin {

// Makes the skinned control classes known to the stored-form reader. Idempotent.
void RegisterSkinControlClasses();

} // namespace xe::skin
