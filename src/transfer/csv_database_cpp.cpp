#include "transfer/csv_database_cpp.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr char kQuote = '"';
constexpr char kSpace = ' ';

// The bytes between an opening and a closing quote, each pair of quotes made one, scanning
// from the left.
std::string unescapeQuoted(const std::string& raw) {
    std::string field;
    field.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        field.push_back(raw[i]);
        if (raw[i] == kQuote && i + 1 < raw.size() && raw[i + 1] == kQuote) {
            ++i;  // the second quote of the pair is dropped; the scan goes on behind it
        }
    }
    return field;
}

std::string upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

bool CSVDatabaseCpp::tableContentsRead(std::string line, std::string delimiter) {
    if (limitExceeded) {
        return false;
    }
    if (linesRead >= kMaxLines) {
        limitExceeded = true;
        return false;
    }
    const char sep = delimiter.empty() ? '\0' : delimiter[0];
    const size_t length = line.size();
    int n = 0;
    auto addField = [&](std::string field) {
        if (n >= kMaxColumns || static_cast<long long>(cells.size()) >= kMaxCells) {
            limitExceeded = true;
            return false;
        }
        cells.push_back(std::move(field));
        ++n;
        return true;
    };

    size_t pos = 0;
    for (;;) {
        while (pos < length && line[pos] == kSpace) {
            ++pos;
        }
        if (pos >= length || line[pos] != kQuote) {
            const size_t separator = line.find(sep, pos);
            if (separator == std::string::npos) {
                std::string rest = line.substr(pos);
                rest.erase(std::remove(rest.begin(), rest.end(), '\r'), rest.end());
                rest.erase(std::remove(rest.begin(), rest.end(), '\n'), rest.end());
                if (!addField(std::move(rest))) {
                    return false;
                }
                break;
            }
            // Quotes, trailing spaces and CR bytes of an unquoted field stay in it.
            if (!addField(line.substr(pos, separator - pos))) {
                return false;
            }
            // A separator at the end of the line leaves an empty last field for the next
            // round.
            pos = separator + 1;
            continue;
        }

        // A quoted field: a quote followed by another quote is an escaped quote; any other
        // quote (or one at the end of the line) closes the field.
        size_t close = std::string::npos;
        for (size_t from = pos + 1;;) {
            const size_t quote = line.find(kQuote, from);
            if (quote == std::string::npos) {
                return false;
            }
            if (quote + 1 >= length || line[quote + 1] != kQuote) {
                close = quote;
                break;
            }
            from = quote + 2;
        }
        if (!addField(unescapeQuoted(line.substr(pos + 1, close - pos - 1)))) {
            return false;
        }
        // Bytes between the closing quote and the next separator are dropped.
        const size_t separator = line.find(sep, close + 1);
        if (separator == std::string::npos) {
            break;
        }
        pos = separator + 1;
    }

    const long long widest = std::max(widestLine, n);
    if ((static_cast<long long>(linesRead) + 1) * widest > kMaxCells) {
        limitExceeded = true;
        return false;
    }
    fieldsPerLine.push_back(n);
    widestLine = static_cast<int>(widest);
    ++linesRead;
    return true;
}

int CSVDatabaseCpp::tableContentsDeploy(bool hasFieldName) {
    columnCount = widestLine;
    rowCount = linesRead;
    const size_t columns = static_cast<size_t>(columnCount);
    fieldNames.assign(columns, std::string());
    size_t cell = 0;
    size_t line = 0;
    if (hasFieldName && !fieldsPerLine.empty()) {
        const size_t first = static_cast<size_t>(fieldsPerLine[0]);
        for (size_t i = 0; i < columns && i < first && cell + i < cells.size(); ++i) {
            fieldNames[i] = std::move(cells[cell + i]);
        }
        cell += first;
        line = 1;
        rowCount -= 1;
    }
    table.assign(static_cast<size_t>(rowCount), std::vector<std::string>(columns));
    for (size_t row = 0; row < table.size() && line < fieldsPerLine.size(); ++row, ++line) {
        const size_t fields = static_cast<size_t>(fieldsPerLine[line]);
        for (size_t k = 0; k < fields && k < columns && cell + k < cells.size(); ++k) {
            table[row][k] = std::move(cells[cell + k]);
        }
        cell += fields;
    }
    cells.clear();
    cells.shrink_to_fit();
    fieldsPerLine.clear();
    return columnCount;
}

void CSVDatabaseCpp::fieldName(std::string& out, int index) const {
    if (index < 0 || static_cast<size_t>(index) >= fieldNames.size()) {
        out.clear();
        return;
    }
    out = fieldNames[static_cast<size_t>(index)];
}

void CSVDatabaseCpp::data(std::string& out, int row, int column) const {
    if (row < 0 || column < 0 || static_cast<size_t>(row) >= table.size() ||
        static_cast<size_t>(column) >= table[static_cast<size_t>(row)].size()) {
        out.clear();
        return;
    }
    out = table[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

bool CSVDatabaseCpp::dataEmptyCheck() const {
    for (const std::vector<std::string>& row : table) {
        for (const std::string& cell : row) {
            if (!cell.empty()) {
                return false;
            }
        }
    }
    return true;
}

bool CSVDatabaseCpp::searchCell(const std::string& key, int startRow, int endRow, int startColumn,
                                bool exact, bool caseSensitive, int* foundRow,
                                int* foundColumn) const {
    if (endRow < startRow) {
        return false;
    }
    const std::string wanted = caseSensitive ? key : upper(key);
    const int firstRow = std::max(startRow, 0);
    const int lastRow = std::min(endRow, static_cast<int>(table.size()) - 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        const std::vector<std::string>& cellsOfRow = table[static_cast<size_t>(row)];
        const int firstColumn = row == startRow ? std::max(startColumn, 0) : 0;
        for (int column = firstColumn; column < static_cast<int>(cellsOfRow.size()); ++column) {
            const std::string& cell = cellsOfRow[static_cast<size_t>(column)];
            if (cell.empty()) {
                continue;
            }
            const std::string value = caseSensitive ? cell : upper(cell);
            const bool match = exact ? value == wanted : value.find(wanted) != std::string::npos;
            if (match) {
                if (foundRow != nullptr) {
                    *foundRow = row;
                }
                if (foundColumn != nullptr) {
                    *foundColumn = column;
                }
                return true;
            }
        }
    }
    return false;
}

bool CSVDatabaseCpp::equalValue(const std::pair<std::string, int>& a,
                                const std::pair<std::string, int>& b) {
    if (a.first != b.first) {
        return a.first < b.first;
    }
    return a.second < b.second;
}

void CSVDatabaseCpp::sortAtoZ(int column) {
    sortByColumn(column, false);
}

void CSVDatabaseCpp::sortZtoA(int column) {
    sortByColumn(column, true);
}

void CSVDatabaseCpp::sortByColumn(int column, bool descending) {
    if (column < 0 || column >= columnCount) {
        return;
    }
    std::vector<std::pair<std::string, int>> keys;
    keys.reserve(table.size());
    for (size_t row = 0; row < table.size(); ++row) {
        const std::vector<std::string>& cellsOfRow = table[row];
        const size_t c = static_cast<size_t>(column);
        keys.emplace_back(c < cellsOfRow.size() ? cellsOfRow[c] : std::string(),
                          static_cast<int>(row));
    }
    if (descending) {
        std::sort(keys.begin(), keys.end(),
                  [](const std::pair<std::string, int>& a, const std::pair<std::string, int>& b) {
                      return equalValue(b, a);
                  });
    } else {
        std::sort(keys.begin(), keys.end(), equalValue);
    }
    std::vector<std::vector<std::string>> sorted;
    sorted.reserve(table.size());
    for (const std::pair<std::string, int>& key : keys) {
        sorted.push_back(std::move(table[static_cast<size_t>(key.second)]));
    }
    table = std::move(sorted);
}
