#include "transfer/csv_decoder.h"

#include <sstream>

#include "transfer/csv_database_cpp.h"

namespace tf {
namespace csv {

namespace {

// Reads the bytes up to the next LF (not kept; a CR before it stays). False when no byte
// could be read.
bool readLine(std::istream& input, std::string& line) {
    return static_cast<bool>(std::getline(input, line, '\n'));
}

}  // namespace

Decoder::DECODE_RESULT Decoder::decode(const std::shared_ptr<std::istream>& input, char delimiter,
                                       bool hasFieldName) {
    DECODE_RESULT result;
    auto fail = [&result](DECODE_ERROR error) {
        result.rows.clear();
        result.error = error;
        result.warning = DECODE_WARNING_NONE;
        return result;
    };

    CSVDatabaseCpp database;
    const std::string separator(1, delimiter);
    if (!input) {
        return fail(DECODE_ERROR_NO_INPUT);
    }
    if (delimiter == '\0') {
        return fail(DECODE_ERROR_NO_DELIMITER);
    }

    std::string line;
    if (!readLine(*input, line) || line.empty()) {
        return fail(DECODE_ERROR_NO_INPUT);
    }
    line = skipUTF8BOM(line);
    if (line.empty()) {
        return fail(DECODE_ERROR_BOM_ONLY);
    }
    if (!database.tableContentsRead(line, separator)) {
        return fail(database.tooLarge() ? DECODE_ERROR_TOO_LARGE : DECODE_ERROR_FIRST_LINE);
    }
    while (readLine(*input, line)) {
        if (!database.tableContentsRead(line, separator)) {
            return fail(database.tooLarge() ? DECODE_ERROR_TOO_LARGE : DECODE_ERROR_RECORDS);
        }
    }

    const int columns = database.tableContentsDeploy(hasFieldName);
    if (columns == 0 || columns != database.numberOfColumn()) {
        return fail(DECODE_ERROR_NO_COLUMN);
    }
    if (database.numberOfRows() == 0) {
        return fail(DECODE_ERROR_RECORDS);
    }
    DECODE_WARNING warning =
        database.dataEmptyCheck() ? DECODE_WARNING_EMPTY_DATA : DECODE_WARNING_NONE;

    std::vector<std::string> header;
    header.reserve(static_cast<size_t>(columns));
    for (int i = 1; i <= columns; ++i) {
        std::string name;
        database.fieldName(name, i - 1);
        if (name.empty()) {
            if (warning == DECODE_WARNING_NONE && hasFieldName) {
                warning = DECODE_WARNING_FIELD_NAME_REPLACED;
            }
            name = "F" + intToString(i);
        }
        header.push_back(std::move(name));
    }
    result.rows.reserve(static_cast<size_t>(database.numberOfRows()) + 1);
    result.rows.push_back(std::move(header));
    for (int r = 0; r < database.numberOfRows(); ++r) {
        std::vector<std::string> record(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            database.data(record[static_cast<size_t>(c)], r, c);
        }
        result.rows.push_back(std::move(record));
    }
    result.error = DECODE_ERROR_NONE;
    result.warning = warning;
    return result;
}

std::string Decoder::skipUTF8BOM(std::string line) {
    if (line.size() >= 3 && static_cast<unsigned char>(line[0]) == 0xEF &&
        static_cast<unsigned char>(line[1]) == 0xBB &&
        static_cast<unsigned char>(line[2]) == 0xBF) {
        return line.substr(3);
    }
    return line;
}

std::string Decoder::intToString(int value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

}  // namespace csv
}  // namespace tf
