#pragma once

namespace xe::tk {

// Registers every file built into the executable from resources/ (stored forms, pictures,
// the packed skin) under its path below resources/, e.g. "forms/Frm_outdata.form".
// Safe to call more than once.
void InstallEmbeddedResources();

} // namespace xe::tk
