#pragma once

// The system's declarations for the Windows platform and its tests. The system names
// ReplaceFile as a macro for ReplaceFileA, which would rename the platform interface's
// ReplaceFile wherever this header comes first: the interface keeps its name, and the
// system's function is called as ReplaceFileA.
#include <windows.h>
#undef ReplaceFile
