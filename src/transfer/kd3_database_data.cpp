#include "transfer/kd3_database_data.h"

#include <string>

#include "transfer/kd3_data_calculator.h"

namespace tl {
namespace database {

KD3DatabaseData::DATABASE_DATA KD3DatabaseData::getDatabaseData(const Rows& rows,
                                                                Parameters::MODEL model,
                                                                Parameters::COUNTRY country) {
    DATABASE_DATA data;
    if (rows.empty()) {
        return data;
    }
    const size_t rowCount = rows.size();
    const size_t columnCount = rows.front().size();
    // Counts that the 16-bit fields cannot hold would describe other records than the ones
    // written: such a table gives no data.
    if (rowCount > kMaxCount || columnCount == 0 || columnCount > kMaxCount) {
        return data;
    }
    if (model != Parameters::MODEL_KX_C270W) {
        return data;
    }
    const KD3ModelParameters::MODEL_PARAMETERS parameters =
        KD3ModelParameters().getKD3ModelParameters(model);
    if (!cellsAreWritable(rows, parameters.fieldSeparator, parameters.recordTerminator)) {
        return data;
    }
    KD3DataCalculator calculator;
    data.rowCount = calculator.convertFrom16bitTo8bit_x2(static_cast<uint16_t>(rowCount));
    data.columnCount = calculator.convertFrom16bitTo8bit_x2(static_cast<uint16_t>(columnCount));
    data.records = getDatabaseData_KXC270W(rows, country, parameters);
    return data;
}

std::vector<unsigned char> KD3DatabaseData::getDatabaseData_KXC270W(
    const Rows& rows, Parameters::COUNTRY country,
    const KD3ModelParameters::MODEL_PARAMETERS& parameters) {
    if (country != Parameters::COUNTRY_0) {
        return {};
    }
    return getDatabaseData_ASCII(rows, parameters.fieldSeparator, parameters.recordTerminator);
}

bool KD3DatabaseData::cellsAreWritable(const Rows& rows, unsigned char separator,
                                       const std::vector<unsigned char>& terminator) {
    const std::string terminatorText(terminator.begin(), terminator.end());
    const char separatorChar = static_cast<char>(separator);
    for (const std::vector<std::string>& row : rows) {
        for (const std::string& cell : row) {
            if (cell.find(separatorChar) != std::string::npos ||
                (!terminatorText.empty() && cell.find(terminatorText) != std::string::npos)) {
                return false;
            }
        }
    }
    return true;
}

std::vector<unsigned char> KD3DatabaseData::getDatabaseData_ASCII(
    const Rows& rows, unsigned char separator, const std::vector<unsigned char>& terminator) {
    std::vector<unsigned char> records;
    for (const std::vector<std::string>& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                records.push_back(separator);
            }
            records.insert(records.end(), row[i].begin(), row[i].end());
        }
        records.insert(records.end(), terminator.begin(), terminator.end());
    }
    return records;
}

}  // namespace database
}  // namespace tl
