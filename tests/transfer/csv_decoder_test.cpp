#include "transfer/csv_decoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "transfer/csv_database_cpp.h"

namespace {

using Table = std::vector<std::vector<std::string>>;
using Decoder = tf::csv::Decoder;

Decoder::DECODE_RESULT decodeText(const std::string& text, char delimiter = ',',
                                  bool hasFieldName = true) {
    std::shared_ptr<std::istream> input = std::make_shared<std::istringstream>(text);
    return Decoder().decode(input, delimiter, hasFieldName);
}

const std::string kBom = "\xEF\xBB\xBF";

}  // namespace

TEST(CsvDecoderTest, DecodesTables) {
    struct Case {
        const char* what;
        std::string text;
        char delimiter;
        bool hasFieldName;
        Table rows;
        int warning;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"plain", "a,b\n1,2", ',', true, {{"a", "b"}, {"1", "2"}}, 0},
        {"CR LF line ends", "a,b\r\n1,2\r\n", ',', true, {{"a", "b"}, {"1", "2"}}, 0},
        {"quoted separator and space", "a,b\n\"x, y\",z\n", ',', true,
         {{"a", "b"}, {"x, y", "z"}}, 0},
        {"escaped quotes, empty quoted field", "a,b\n\"q\"\"r\"\"\"\"\",\"\"", ',', true,
         {{"a", "b"}, {"q\"r\"\"", ""}}, 0},
        {"quote inside an unquoted field", "a,b\nab\"c,d", ',', true,
         {{"a", "b"}, {"ab\"c", "d"}}, 0},
        {"bytes after a closing quote dropped", "a,b,c\n\"x\"  ,\"y\"z\r,\"w\"\r", ',', true,
         {{"a", "b", "c"}, {"x", "y", "w"}}, 0},
        {"CR and separator inside quotes kept", "a\n\"x\r,y\"", ',', true, {{"a"}, {"x\r,y"}}, 0},
        {"leading spaces skipped, trailing kept, final separator", "a,b,c\n  x , y,", ',', true,
         {{"a", "b", "c"}, {"x ", "y", ""}}, 0},
        {"CR stays in an unquoted field before a separator", "a,b\n1\r,2\r", ',', true,
         {{"a", "b"}, {"1\r", "2"}}, 0},
        {"empty field name", "a,,c\n1,2,3", ',', true, {{"a", "F2", "c"}, {"1", "2", "3"}}, 2},
        {"no field names", "a,,c\n1,2,3", ',', false,
         {{"F1", "F2", "F3"}, {"a", "", "c"}, {"1", "2", "3"}}, 0},
        {"short record padded", "a,b,c\n1\n4,5,6", ',', true,
         {{"a", "b", "c"}, {"1", "", ""}, {"4", "5", "6"}}, 0},
        {"long record widens the table", "a,b\n1,2,3", ',', true,
         {{"a", "b", "F3"}, {"1", "2", "3"}}, 2},
        {"byte-order mark of the first line removed", kBom + "a\n1", ',', true, {{"a"}, {"1"}}, 0},
        {"byte-order mark of a later line kept", "a\n" + kBom + "1", ',', true,
         {{"a"}, {kBom + "1"}}, 0},
        {"empty line between records", "a,b\n1,2\n\n3,4\n", ',', true,
         {{"a", "b"}, {"1", "2"}, {"", ""}, {"3", "4"}}, 0},
        {"empty last line followed by LF", "a\n1\n\n", ',', true, {{"a"}, {"1"}, {""}}, 0},
        {"every record cell empty", "a,b\n,\n", ',', true, {{"a", "b"}, {"", ""}}, 1},
        {"all empty wins over a missing name", "a,\n,\n", ',', true, {{"a", "F2"}, {"", ""}}, 1},
        {"tab separator", "x,y\tz\n\t 1", '\t', true, {{"x,y", "z"}, {"", "1"}}, 0},
        {"CR only as first line", "\r\n1", ',', true, {{"F1"}, {"1"}}, 2},
    };
    // clang-format on
    for (const Case& c : cases) {
        const Decoder::DECODE_RESULT result = decodeText(c.text, c.delimiter, c.hasFieldName);
        EXPECT_EQ(result.error, 0) << c.what;
        EXPECT_EQ(result.warning, c.warning) << c.what;
        EXPECT_EQ(result.rows, c.rows) << c.what;
    }
}

TEST(CsvDecoderTest, ReportsErrorsWithoutRows) {
    struct Case {
        const char* what;
        std::string text;
        char delimiter;
        int error;
    };
    const std::vector<Case> cases = {
        {"empty stream", "", ',', 1},
        {"empty first line", "\na,b\n1,2", ',', 1},
        {"unclosed quote in the first line", "\"a,b\n1,2", ',', 2},
        {"quote escaped up to the end of the first line", "\"a\"\"\n1", ',', 2},
        {"unclosed quote in a later line", "a,b\n1,\"2\n3,4", ',', 3},
        {"quoted field spanning lines", "a\n\"x\ny\"", ',', 3},
        {"field-name line only", "a,b\n", ',', 3},
        {"separator 0", "a,b\n1,2", '\0', 4},
        {"byte-order mark only", kBom + "\n1", ',', 5},
    };
    for (const Case& c : cases) {
        const Decoder::DECODE_RESULT result = decodeText(c.text, c.delimiter);
        EXPECT_EQ(result.error, c.error) << c.what;
        EXPECT_EQ(result.warning, 0) << c.what;
        EXPECT_TRUE(result.rows.empty()) << c.what;
    }
    const Decoder::DECODE_RESULT none = Decoder().decode(nullptr, ',', true);
    EXPECT_EQ(none.error, 1);
    EXPECT_EQ(none.warning, 0);
}

TEST(CsvDecoderTest, RefusesTablesBeyondItsLimits) {
    // Each case is a few kilobytes of text that would otherwise become a huge table.
    std::string tooManyLines = "a\n";
    for (int i = 0; i < CSVDatabaseCpp::kMaxLines; ++i) {
        tooManyLines += "1\n";
    }
    const std::string tooManyFields = "a\n" + std::string(CSVDatabaseCpp::kMaxColumns, ',');
    // One wide line and many short ones: padding would give more cells than the limit.
    std::string widePadding = std::string(4999, ',') + "\n";
    for (int i = 0; i < 3400; ++i) {
        widePadding += "1\n";
    }
    for (const std::string* text :
         std::vector<const std::string*>{&tooManyLines, &tooManyFields, &widePadding}) {
        const Decoder::DECODE_RESULT result = decodeText(*text);
        EXPECT_EQ(result.error, Decoder::DECODE_ERROR_TOO_LARGE);
        EXPECT_EQ(result.warning, 0);
        EXPECT_TRUE(result.rows.empty());
    }

    // At the limits the table is decoded.
    std::string maxLines = "a\n";
    for (int i = 1; i < CSVDatabaseCpp::kMaxLines; ++i) {
        maxLines += "1\n";
    }
    const Decoder::DECODE_RESULT lines = decodeText(maxLines);
    EXPECT_EQ(lines.error, 0);
    EXPECT_EQ(lines.rows.size(), static_cast<size_t>(CSVDatabaseCpp::kMaxLines));
    const Decoder::DECODE_RESULT fields =
        decodeText(std::string(CSVDatabaseCpp::kMaxColumns - 1, ',') + "\nx");
    EXPECT_EQ(fields.error, 0);
    ASSERT_EQ(fields.rows.size(), 2u);
    EXPECT_EQ(fields.rows[0].size(), static_cast<size_t>(CSVDatabaseCpp::kMaxColumns));
}

TEST(CsvDecoderTest, ByteOrderMarkAndNumbers) {
    Decoder decoder;
    EXPECT_EQ(decoder.skipUTF8BOM(kBom + "ab"), "ab");
    EXPECT_EQ(decoder.skipUTF8BOM("\xEF\xBB"), "\xEF\xBB");
    EXPECT_EQ(decoder.skipUTF8BOM("ab" + kBom), "ab" + kBom);
    EXPECT_EQ(decoder.intToString(-12), "-12");
    EXPECT_EQ(decoder.intToString(65535), "65535");
}

TEST(CsvDatabaseTest, AccessorsStayInsideTheTable) {
    CSVDatabaseCpp db;
    ASSERT_TRUE(db.tableContentsRead("name,city", ","));
    ASSERT_TRUE(db.tableContentsRead("Bob,oslo", ","));
    ASSERT_TRUE(db.tableContentsRead("alice,Bergen", ","));
    ASSERT_TRUE(db.tableContentsRead("carl", ","));
    EXPECT_EQ(db.tableContentsDeploy(true), 2);
    EXPECT_EQ(db.numberOfRows(), 3);
    EXPECT_EQ(db.numberOfColumn(), 2);

    std::string out = "stale";
    db.fieldName(out, 1);
    EXPECT_EQ(out, "city");
    for (int index : {-1, 2}) {
        out = "stale";
        db.fieldName(out, index);
        EXPECT_EQ(out, "");
    }
    for (auto rc : std::vector<std::pair<int, int>>{{-1, 0}, {3, 0}, {0, 2}, {0, -1}}) {
        out = "stale";
        db.data(out, rc.first, rc.second);
        EXPECT_EQ(out, "");
    }
    EXPECT_FALSE(db.dataEmptyCheck());

    int row = -1;
    int column = -1;
    EXPECT_TRUE(db.searchCell("BERG", 0, 2, 0, false, false, &row, &column));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 1);
    EXPECT_FALSE(db.searchCell("BERG", 0, 2, 0, false, true, &row, &column));
    EXPECT_FALSE(db.searchCell("berg", 0, 2, 0, true, false, &row, &column));
    // The first row is scanned from the start column, later rows from column 0.
    EXPECT_TRUE(db.searchCell("o", 0, 2, 1, false, true, &row, &column));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(column, 1);
    EXPECT_TRUE(db.searchCell("alice", 1, 1, 0, true, true, &row, &column));
    // Rows and columns outside the table are not visited.
    EXPECT_TRUE(db.searchCell("carl", -5, 99, -3, true, true, &row, &column));
    EXPECT_EQ(row, 2);
    EXPECT_FALSE(db.searchCell("carl", 2, 1, 0, true, true, &row, &column));
    EXPECT_FALSE(db.searchCell("carl", 7, 9, 0, true, true, nullptr, nullptr));

    db.sortAtoZ(0);
    db.data(out, 0, 0);
    EXPECT_EQ(out, "Bob");  // byte order: upper case first
    db.data(out, 2, 0);
    EXPECT_EQ(out, "carl");
    db.sortZtoA(1);
    db.data(out, 0, 1);
    EXPECT_EQ(out, "oslo");
    db.data(out, 2, 1);
    EXPECT_EQ(out, "");
    db.sortAtoZ(5);  // no such column: unchanged
    db.data(out, 0, 1);
    EXPECT_EQ(out, "oslo");
    EXPECT_TRUE(CSVDatabaseCpp::equalValue({"a", 2}, {"b", 1}));
    EXPECT_TRUE(CSVDatabaseCpp::equalValue({"a", 1}, {"a", 2}));
    EXPECT_FALSE(CSVDatabaseCpp::equalValue({"a", 2}, {"a", 2}));
}
