#include "common/operation_end_rows.h"

namespace operation_end {

std::vector<Row> settingsRows() {
    return {};
}

}  // namespace operation_end
