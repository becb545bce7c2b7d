#pragma once

#include <vector>

#include "transfer/database_parameters.h"
#include "transfer/kd3_model_parameters.h"

namespace tl {
namespace database {

// The records of a database file and their counts.
class KD3DatabaseData {
  public:
    struct DATABASE_DATA {
        virtual ~DATABASE_DATA() = default;

        std::vector<unsigned char> records;
        std::vector<unsigned char> rowCount;     // 2 bytes little-endian, field-name row included
        std::vector<unsigned char> columnCount;  // 2 bytes little-endian
    };

    // Largest row or column count the 16-bit count fields hold.
    static constexpr size_t kMaxCount = 0xFFFF;

    virtual ~KD3DatabaseData() = default;

    // Records and counts of the table; all empty for an empty table, a row or column count of
    // 0 or above kMaxCount, a model without database tables, or a cell (field names included)
    // that holds the model's field separator or record terminator, which the printer would
    // read as the end of the cell.
    DATABASE_DATA getDatabaseData(const Rows& rows, Parameters::MODEL model,
                                  Parameters::COUNTRY country);
    // Records of the one model with tables; none for a country other than 0.
    std::vector<unsigned char> getDatabaseData_KXC270W(
        const Rows& rows, Parameters::COUNTRY country,
        const KD3ModelParameters::MODEL_PARAMETERS& parameters);
    // True when no cell holds the separator byte or the terminator bytes.
    static bool cellsAreWritable(const Rows& rows, unsigned char separator,
                                 const std::vector<unsigned char>& terminator);
    // Every row in order: its cells joined by separator, then the terminator bytes. Cell
    // bytes are copied unchanged.
    std::vector<unsigned char> getDatabaseData_ASCII(const Rows& rows, unsigned char separator,
                                                     const std::vector<unsigned char>& terminator);
};

}  // namespace database
}  // namespace tl
