#include <string>
#include <vector>

#include "common/operation_end_rows.h"
#include "connection/util.h"
#include "raster/raster_print_fixture.h"

namespace operation_end {

// Print jobs whose paper comes from a custom paper file, with the status check on, so that
// the status reading checks the custom paper.
std::vector<Row> customPaperRows() {
    using namespace print_job;
    std::vector<Row> rows;
    for (Model model : {HU_3430, SN_3200N}) {
        const std::string path = ::testing::TempDir() + "lumeko_operation_end_paper_" +
                                 std::to_string(static_cast<int>(model)) + ".bin";
        const Bytes command = customPaperFor(model);
        tpes::Util::writeFile(path, command.data(), static_cast<int>(command.size()), true);
        RasterPrintOption option = jobOption(PAPER_ID_CUSTOM, 1);
        option.customPaperPath = path;
        option.doStatusCheck = true;
        option.checkPrintEnd = 3;
        rows.push_back(printJobRow(
            "custom paper file, model " + std::to_string(static_cast<int>(model)), model, option));
    }
    return rows;
}

}  // namespace operation_end
