#pragma once

#include <map>
#include <vector>

#include "catalogue/paper.h"
#include "catalogue/paper_builder.h"
#include "catalogue/raster_print_option.h"
#include "connection/base_printer.h"
#include "connection/print_status_manager.h"
#include "fuzz_input.h"

namespace lumeko_fuzz {

// A printer operation whose spec and paper a target may edit after construction.
class FuzzPrinter : public BasePrinter {
  public:
    using BasePrinter::BasePrinter;

    PrinterSpec& editSpec() { return spec; }
    Paper& paper() { return currentPaper; }
    PrintStatusManager manager() const { return statusManager(); }
};

inline Port pickPort(FuzzInput& in) {
    static const Port ports[] = {PORT_USB, PORT_BLUETOOTH, PORT_NET, PORT_BLE};
    return ports[in.pick(4)];
}

// Any model value, 43, 44 and NO_MODEL included.
inline Model pickModel(FuzzInput& in) {
    return static_cast<Model>(in.pick(71));
}

// The model's papers for default options.
inline std::vector<Paper> paperList(const PrinterSpec& spec) {
    std::map<unsigned short, Paper> papers;
    PaperBuilder().createPaperList(spec, RasterPrintOption(), papers);
    std::vector<Paper> out;
    for (auto& entry : papers) {
        out.push_back(entry.second);
    }
    return out;
}

// A paper of the list, or one whose media fields come from the input.
inline Paper pickPaper(FuzzInput& in, const std::vector<Paper>& papers) {
    const int choice = in.u8();
    if (choice < 200) {
        return papers.empty() ? Paper() : papers[static_cast<size_t>(choice) % papers.size()];
    }
    Paper p;
    if (choice & 1) {
        p.paperNameMm = "fuzz";
    }
    p.mediaWidthMm = in.u8();
    p.mediaLengthMm = in.u8();
    p.mediaType = in.u8();
    p.mediaColorCode = in.u8();
    const unsigned flags = in.u8();
    p.isTube = flags & 1;
    p.isTwoColor = flags & 2;
    p.checkInkColor = flags & 4;
    p.checkLabelColor = flags & 8;
    p.inkColor = in.u8();
    p.labelColor = in.u8();
    return p;
}

// Spec fields that a model record may set to anything, taken from the input.
inline void editStatusFields(FuzzInput& in, PrinterSpec& spec) {
    spec.labelColorStatusIndex = static_cast<signed char>(in.u8());
    spec.inkColorStatusIndex = static_cast<signed char>(in.u8());
    spec.tubeRibbonInkColorStatusIndex = static_cast<signed char>(in.u8());
    spec.colorMode = in.u8();
    static const int batteryModes[] = {0, 1, 2, 4, 8, 16, 3, 255};
    spec.batteryMode = batteryModes[in.pick(8)];
    const unsigned flags = in.u8();
    spec.statusSupported = flags & 1;
    spec.paperCheck = flags & 2;
    spec.waitForPaperSupported = flags & 4;
    spec.tubeSupported = flags & 8;
    spec.mode9Supported = flags & 16;
    spec.clearMediaErrorAtEnd = flags & 32;
    spec.variousModeCaps = (flags & 64) ? 0x04 : 0;
}

}  // namespace lumeko_fuzz
