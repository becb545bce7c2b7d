// Prepared print files of arbitrary bytes through printPrn, against a printer that answers
// anything.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "connection/util.h"
#include "fuzz_common.h"
#include "fuzz_input.h"
#include "fuzz_printer.h"
#include "fuzzed_observer.h"
#include "job_checks.h"
#include "operation_checks.h"
#include "raster/raster_print.h"

using namespace lumeko_fuzz;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    installQuietWait();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const unsigned leftOver = in.u8();
    resetProcessState(leftOver % 10, (leftOver >> 4) & 1);
    static const std::string path = "/tmp/lumeko_prn_fuzz_" + std::to_string(getpid());
    static const std::string saved = path + ".copy";

    const Model model = pickModel(in);
    const Port port = pickPort(in);
    RasterPrintOption option;
    const unsigned flags = in.u8();
    option.doStatusCheck = flags & 1;
    option.checkPrintEnd = 1 + in.pick(3);
    option.numberOfCopies = (flags & 2) ? 1 + in.pick(3) : static_cast<int8_t>(in.u8()) % 4;
    option.peelMode = flags & 4;
    if (flags & 8) {
        option.savePrnPath = saved;
        option.overwrite = flags & 16;
    }
    PrinterSpec spec;
    {
        FuzzPrinter probe(model);
        spec = probe.getPrinterSpec();
    }
    const std::vector<Paper> papers = paperList(spec);
    if (!papers.empty()) {
        option.paperId = papers[in.u8() % papers.size()].paperId;
    }
    if (spec.paperKinds == 8) {
        option.customPaperCommand = {0x1B,
                                     0x69,
                                     0x55,
                                     0x4F,
                                     0x10,
                                     spec.seriesCode,
                                     spec.modelCode,
                                     0,
                                     132,
                                     0,
                                     0,
                                     0,
                                     0,
                                     0,
                                     0,
                                     0,
                                     0x1B,
                                     0x69,
                                     0x55,
                                     0x77,
                                     0x01};
        option.customPaperCommand.resize(option.customPaperCommand.size() + 127, 0);
    }
    const std::vector<unsigned char> file = in.longBytes();
    FUZZ_CHECK(tpes::Util::writeFile(path, file.data(), static_cast<int>(file.size()), true));
    std::string name = (flags & 32) ? path + ".missing" : path;

    FuzzedObserver printer(in);
    // The host cancels at the start of one call, or (high bit) refuses that call when it is
    // a progress message.
    const unsigned stop = in.u8();
    if ((stop & 0x80) != 0) {
        printer.refuseAtCall(static_cast<int>(stop % 32));
    } else {
        printer.cancelAtCall(static_cast<int>(stop % 32));
    }
    {
        RasterPrint job(port, (flags & 64) ? nullptr : &printer, model, option);
        const bool ok = job.printPrn(name);
        checkJobOutcome(ok, printer, false);
        checkOperationEnd(ok, printer);
        // No copy asked for: no copy goes out, so no copy's progress codes either.
        if (option.numberOfCopies <= 0) {
            for (int code : printer.messages()) {
                FUZZ_CHECK(code != 14 && code != 15);
            }
        }
        // Every copy was handed over whole, whatever process status an earlier call left.
        if (ok && option.savePrnPath.empty()) {
            int copies = 0;
            for (const auto& call : printer.calls()) {
                if (call.slot == FuzzedObserver::Slot::SendData &&
                    call.sent.size() >= file.size() &&
                    std::equal(file.begin(), file.end(), call.sent.begin())) {
                    ++copies;
                }
            }
            FUZZ_CHECK(copies >= option.numberOfCopies);
        }
    }
    unlink(path.c_str());
    unlink(saved.c_str());
    BasePrinter::cancel_flag = false;
    return 0;
}
