#pragma once

// The Jet writer lives in tools/jetdemo (scripts/demo builds its database with it); include it
// from there. This header only keeps older includes building.
#include "tools/jetdemo/JetTestDatabase.h"
