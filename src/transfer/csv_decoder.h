#pragma once

#include <istream>
#include <memory>
#include <string>
#include <vector>

namespace tf {
namespace csv {

// Decodes a CSV text into a table: one row of field names followed by the records in file
// order, every row holding as many strings as the table has columns, with one error code
// and one warning code. Text is handled as bytes; only a UTF-8 byte-order mark at the start
// of the first line is treated specially. Holds no state.
class Decoder {
  public:
    enum DECODE_ERROR : int {
        DECODE_ERROR_NONE = 0,
        // No input stream, or the first line is empty (empty or unreadable stream).
        DECODE_ERROR_NO_INPUT = 1,
        // The first line has a quoted field without a closing quote.
        DECODE_ERROR_FIRST_LINE = 2,
        // A later line has a quoted field without a closing quote, or there is no record.
        DECODE_ERROR_RECORDS = 3,
        // The separator byte is 0.
        DECODE_ERROR_NO_DELIMITER = 4,
        // The first line is a UTF-8 byte-order mark only.
        DECODE_ERROR_BOM_ONLY = 5,
        // Deploying gave no column, or a column count other than the table's.
        DECODE_ERROR_NO_COLUMN = 6,
        // The text holds more lines, fields or cells than a table may (CSVDatabaseCpp
        // limits).
        DECODE_ERROR_TOO_LARGE = 7,
    };

    enum DECODE_WARNING : int {
        DECODE_WARNING_NONE = 0,
        // Every record cell is empty.
        DECODE_WARNING_EMPTY_DATA = 1,
        // A field name of the first line was empty and has been replaced by F<column>.
        DECODE_WARNING_FIELD_NAME_REPLACED = 2,
    };

    struct DECODE_RESULT {
        virtual ~DECODE_RESULT() = default;

        // Row 0: the field names; rows 1 and on: the records. Empty unless error is 0.
        std::vector<std::vector<std::string>> rows;
        DECODE_ERROR error = static_cast<DECODE_ERROR>(-1);
        DECODE_WARNING warning = static_cast<DECODE_WARNING>(-1);
    };

    virtual ~Decoder() = default;

    // Decodes the stream (may be null) with this separator byte (0: none chosen); with
    // hasFieldName the first line holds the field names.
    DECODE_RESULT decode(const std::shared_ptr<std::istream>& input, char delimiter,
                         bool hasFieldName);

    // The line without its first three bytes when they are EF BB BF.
    std::string skipUTF8BOM(std::string line);
    // Decimal text of value.
    std::string intToString(int value);
};

}  // namespace csv
}  // namespace tf
