#pragma once

#include "service/IniFile.h"

namespace synchub::service {

class TcadQuarvex;

// Section of MONITOR.INI that holds every key.
inline constexpr const char* kIniSection = "SYNCHUB";

// Reads the keys of MONITOR.INI, in their fixed order, into the module's settings. Integer keys
// are converted as they are read; the first one that is not an integer throws, and the settings
// read before it stay.
void readSettings(TcadQuarvex& module, const IniFile& ini);

}  // namespace synchub::service
