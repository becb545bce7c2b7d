#pragma once

#include <string>
#include <utility>
#include <vector>

// The table of one CSV text: the lines split into fields, then deployed into field names and
// a table of records with as many cells per row as the widest line had fields.
//
// Calling order: construct, tableContentsRead once for each line, tableContentsDeploy once,
// then the accessors. Lines and fields are bytes; nothing is converted between character
// sets.
//
// Limits: a table holds at most kMaxLines lines of at most kMaxColumns fields, and at most
// kMaxCells cells once short lines are padded. Input beyond them is refused as it is read
// (tableContentsRead returns false and tooLarge() turns true), so that a small file cannot
// make the padded table huge.
class CSVDatabaseCpp {
  public:
    static constexpr int kMaxLines = 65535;
    static constexpr int kMaxColumns = 65535;
    static constexpr long long kMaxCells = 1LL << 24;

    CSVDatabaseCpp() = default;
    ~CSVDatabaseCpp() = default;

    // Splits one line (no LF) at the first byte of delimiter and appends its fields; false
    // when a quoted field has no closing quote (the line is then not counted) or when the
    // table would grow beyond its limits.
    bool tableContentsRead(std::string line, std::string delimiter);
    // Turns the lines read into the field names (from the first line when hasFieldName) and
    // the table; returns the column count.
    int tableContentsDeploy(bool hasFieldName);

    int numberOfRows() const { return rowCount; }
    int numberOfColumn() const { return columnCount; }
    // Field name index (0-based); an empty text for an index outside the names.
    void fieldName(std::string& out, int index) const;
    // The cell at row, column (0-based, records only); an empty text outside the table.
    void data(std::string& out, int row, int column) const;
    // True when there is no row or every cell of the table is empty.
    bool dataEmptyCheck() const;
    // True once input beyond the limits was refused.
    bool tooLarge() const { return limitExceeded; }

    // Scans rows startRow to endRow inclusive (the first from startColumn, later ones from
    // column 0), skipping empty cells, for the first cell that equals key (exact) or contains
    // it; without caseSensitive both sides are compared upper-cased byte by byte. Rows and
    // columns outside the table are not visited. Writes the cell's position through the two
    // pointers (when not null) and returns true, else false.
    bool searchCell(const std::string& key, int startRow, int endRow, int startColumn, bool exact,
                    bool caseSensitive, int* foundRow, int* foundColumn) const;
    // Reorders the table rows by one column, ascending or descending by byte-wise
    // comparison of that cell and then by the row's position before sorting. A column
    // outside the table leaves it as it is.
    void sortAtoZ(int column);
    void sortZtoA(int column);
    // The ordering of sortAtoZ on (cell, row position) pairs: true when a comes before b.
    static bool equalValue(const std::pair<std::string, int>& a,
                           const std::pair<std::string, int>& b);

  private:
    void sortByColumn(int column, bool descending);

    std::vector<std::vector<std::string>> table;
    std::vector<std::string> fieldNames;
    int rowCount = 0;
    int linesRead = 0;
    int columnCount = 0;
    int widestLine = 0;
    std::vector<std::string> cells;
    std::vector<int> fieldsPerLine;
    bool limitExceeded = false;
};
