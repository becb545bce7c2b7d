// The device queries (serial number, media version of the printer and of a media file,
// page counter, device status, system report, battery) against a printer or host that
// answers anything, with any count.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "connection/printer_battery_info.h"
#include "connection/util.h"
#include "fuzz_common.h"
#include "fuzz_input.h"
#include "fuzz_printer.h"
#include "fuzzed_observer.h"

using namespace lumeko_fuzz;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    installQuietWait();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    resetProcessState();
    const Model model = pickModel(in);
    const Port port = pickPort(in);
    const int query = in.pick(8);
    const unsigned flags = in.u8();
    const bool noObserver = (flags & 0x80) != 0;

    FuzzedObserver printer(in);
    // The host may cancel at the start of any of the query's first calls.
    printer.cancelAtCall((flags & 0x40) != 0 ? 1 + in.pick(4) : 0);
    FuzzPrinter base(port, noObserver ? nullptr : &printer, model);
    PrinterSpec& spec = base.editSpec();
    if (flags & 1) {
        spec.serialNumberCommand = flags & 2;
        spec.mediaVersionCommand = flags & 4;
        spec.seriesCode = (flags & 8) ? '6' : 0;
    }

    std::string text;
    bool failedResult = true;  // the result is the query's failure value
    switch (query) {
        case 0:
            text = base.getSerialNumber();
            FUZZ_CHECK(port == PORT_NET || text.size() <= 255);
            if (port == PORT_USB || port == PORT_BLE) {
                FUZZ_CHECK(text.size() <= 31);
            }
            failedResult = text.empty();
            break;
        case 1:
            text = base.getMediaVer();
            FUZZ_CHECK(text.size() <= 7);
            failedResult = text.empty();
            break;
        case 2: {
            static const std::string path = "/tmp/lumeko_media_fuzz_" + std::to_string(getpid());
            const std::vector<unsigned char> file = in.longBytes();
            FUZZ_CHECK(
                tpes::Util::writeFile(path, file.data(), static_cast<int>(file.size()), true));
            text = base.getMediaFileVer(in.flag() ? path : path + ".missing");
            FUZZ_CHECK(text.size() <= 3);
            unlink(path.c_str());
            failedResult = text.empty();
            break;
        }
        case 3: {
            const int counter = base.getPageCounter();
            failedResult = counter == 0;
            if (port != PORT_NET) {
                FUZZ_CHECK(counter == 0 && PrinterStatus::error_code_ == 1);
            }
            break;
        }
        case 4:
            text = base.getDeviceStatus();
            FUZZ_CHECK(text.find(' ') == std::string::npos);
            failedResult = text.empty();
            break;
        case 5:
            text = base.getSystemReport();
            FUZZ_CHECK(text.size() <= 65535);
            for (char c : text) {
                FUZZ_CHECK(static_cast<unsigned char>(c) <= 0x7E);
            }
            failedResult = text.empty();
            break;
        default: {
            PrinterBatteryInfo info;
            info.firstValue = 55;
            const bool ok = base.getBatteryInfo(info);
            failedResult = !ok;
            if (!ok) {
                FUZZ_CHECK(info.firstValue == 55);  // left as it was
            }
            break;
        }
    }

    // A failed exchange, or a missing observer where the query talks, is never a success
    // (a cancel during the query gives its own code).
    if (printer.anyFailure()) {
        FUZZ_CHECK(PrinterStatus::error_code_ == 6 || PrinterStatus::error_code_ == 39 ||
                   BasePrinter::cancel_flag);
        FUZZ_CHECK(failedResult);
    }
    if (PrinterStatus::error_code_ != 1 && query != 2) {
        FUZZ_CHECK(failedResult);
    }
    // An answer is a success only with code 1, and a cancel during the query fails it.
    if (!failedResult) {
        FUZZ_CHECK(PrinterStatus::error_code_ == 1);
    }
    if (BasePrinter::cancel_flag) {
        FUZZ_CHECK(failedResult && PrinterStatus::error_code_ == 37);
    }
    return 0;
}
