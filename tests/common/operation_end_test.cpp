// Every operation the host can call ends by one rule: result and error code agree, a cancel
// or a refused progress message stops it with false and 37 or 40, and neither changes the
// outcome once the final progress code is out.
#include <gtest/gtest.h>

#include <vector>

#include "common/operation_end_rows.h"

namespace {

using operation_end::Row;

TEST(OperationEndTest, EveryOperationEndsByOneRule) {
    std::vector<Row> rows;
    for (auto rowsOf :
         {operation_end::connectionRows, operation_end::rasterRows, operation_end::settingsRows,
          operation_end::transferRows, operation_end::customPaperRows}) {
        std::vector<Row> some = rowsOf();
        rows.insert(rows.end(), some.begin(), some.end());
    }
    for (const Row& row : rows) {
        operation_end::checkRow(row);
    }
}

}  // namespace
