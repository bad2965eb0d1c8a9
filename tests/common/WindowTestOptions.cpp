// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into the window test programs only.
#include <cstdlib>

// The window programs find the paint device module beside them; a test
// program lives elsewhere, so it is told where the build put the module.
[[maybe_unused]] static const int kDevicesModuleNamed =
    setenv("TARVEX4_DEVICES_MODULE", TARVEX4_DEVICES_MODULE_FILE, 0);

// Qt and fontconfig keep caches until the process ends, and LeakSanitizer's
// end-of-run scan cannot stop libvips' worker threads; the window tests run
// without the leak check, the core tests and the programs they start keep it.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
