#pragma once

#include "catalogue/model.h"
#include "catalogue/port.h"
#include "catalogue/raster_print_option.h"
#include "catalogue/template_print_option.h"

namespace bridge {

// What the host sets once and every later call reads: the selected model (NO_MODEL until
// set), the selected port (0 until set), the print options and the template print options.
// Only initJNI and setTemplatePrintOptionJNI write them; operations take copies. Touched only
// under the bridge's entry lock (jni/entry_call.h); cancelJNI, which takes no lock, never reads
// them.
struct StandingSettings {
    Model model = NO_MODEL;
    Port port = static_cast<Port>(0);
    RasterPrintOption printOptions;
    TemplatePrintOption templateOptions;
};

// The process-wide instance.
StandingSettings& standingSettings();

}  // namespace bridge
