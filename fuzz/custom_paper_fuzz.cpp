// Paper selection on arbitrary custom paper data, from the options and from a file, with
// arbitrary paper ids, custom sizes and preset papers.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "connection/util.h"
#include "fuzz_common.h"
#include "fuzz_input.h"
#include "fuzz_printer.h"

using namespace lumeko_fuzz;
using Bytes = std::vector<unsigned char>;

namespace {

bool at(const Bytes& d, size_t pos, std::initializer_list<unsigned char> pattern) {
    if (pos + pattern.size() > d.size()) {
        return false;
    }
    size_t k = pos;
    for (unsigned char b : pattern) {
        if (d[k++] != b) {
            return false;
        }
    }
    return true;
}

// A header of this model with a body marker after it that leaves the fields read (117
// bytes) inside the data: what a successful selection needs at the least.
bool holdsCustomPaper(const Bytes& d, unsigned char series, unsigned char model) {
    for (size_t i = 0; i + 17 <= d.size(); ++i) {
        if (at(d, i, {0x1B, 0x69, 0x55, 0x4F}) && d[i + 5] == series && d[i + 6] == model) {
            for (size_t j = i + 16; j + 5 + 117 <= d.size(); ++j) {
                if (at(d, j, {0x1B, 0x69, 0x55, 0x77, 0x01})) {
                    return true;
                }
            }
            return false;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    resetProcessState();
    const Model model = pickModel(in);
    const int route = in.pick(4);  // 0 bytes, 1 file, 2 both, 3 neither
    const int operation = in.pick(3);
    FuzzPrinter base(model);
    const PrinterSpec spec = base.getPrinterSpec();

    RasterPrintOption option;
    const int id = in.u8();
    const std::vector<Paper> papers = paperList(spec);
    option.paperId = id >= 250        ? static_cast<unsigned short>(id)
                     : papers.empty() ? static_cast<unsigned short>(in.u16())
                                      : papers[static_cast<size_t>(id) % papers.size()].paperId;
    option.customPaperWidth = in.i32();
    option.customPaperLength = in.i32();
    if (in.flag()) {
        option.presetPaper.printableWidthDots = in.u16();
        option.presetPaper.printableLengthDots = in.u16();
    }
    option.checkInkColor = in.u8();
    option.inkColor = static_cast<signed char>(in.u8());

    const Bytes custom = in.longBytes();
    static const std::string path = "/tmp/lumeko_custom_paper_fuzz_" + std::to_string(getpid());
    if (route == 0 || route == 2) {
        option.customPaperCommand = custom;
    }
    if (route == 1 || route == 2) {
        FUZZ_CHECK(
            tpes::Util::writeFile(path, custom.data(), static_cast<int>(custom.size()), true));
        option.customPaperPath = path;
    }
    if (route == 0 && in.flag()) {
        option.customPaperPath = path + ".missing";  // never opened: the bytes come first
    }

    const bool customRoute = spec.paperKinds == 8;
    const bool possible = route != 3 && holdsCustomPaper(custom, spec.seriesCode, spec.modelCode);
    switch (operation) {
        case 0:
            base.init(option);
            if (customRoute) {
                FUZZ_CHECK(PrinterStatus::error_code_ == 1 || PrinterStatus::error_code_ == 25);
                if (PrinterStatus::error_code_ == 1) {
                    FUZZ_CHECK(possible);
                    FUZZ_CHECK(base.paper().paperId == 254);
                }
            } else {
                FUZZ_CHECK(PrinterStatus::error_code_ == 1 || PrinterStatus::error_code_ == 32);
            }
            break;
        case 1: {
            const bool found = base.getCustomPaperinfo(option);
            FUZZ_CHECK(found == (PrinterStatus::error_code_ == 1));
            if (found) {
                FUZZ_CHECK(possible);
            }
            break;
        }
        default: {
            const std::vector<Paper> list = base.getPaperList(option);
            if (customRoute) {
                FUZZ_CHECK(list.size() == 1);
            } else {
                FUZZ_CHECK(list.size() == papers.size());
            }
            break;
        }
    }
    if (route == 1 || route == 2) {
        unlink(path.c_str());
    }
    return 0;
}
