#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database_clock.h"
#include "transfer/kd3_data_calculator.h"
#include "transfer/kd3_data_generator.h"
#include "transfer/kd3_database_name_in_local_code.h"
#include "transfer/kd3_database_name_in_unicode.h"
#include "transfer/kd3_header_generator.h"
#include "transfer/kd3_model_parameters.h"
#include "transfer/kd3_naive_data_generator.h"

using namespace tl::database;

namespace {

using Bytes = std::vector<unsigned char>;

constexpr Parameters::MODEL kModel = Parameters::MODEL_KX_C270W;
constexpr Parameters::COUNTRY kCountry = Parameters::COUNTRY_0;
// The FILETIME of 1970-01-01 00:00:00, little-endian.
const Bytes kEpoch = {0x00, 0x80, 0x3E, 0xD5, 0xDE, 0xB1, 0x9D, 0x01};

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

Bytes slice(const Bytes& b, size_t from, size_t n) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                 b.begin() + static_cast<std::ptrdiff_t>(from + n));
}

Bytes checksumOf(const Bytes& b) {
    unsigned sum = 0;
    for (unsigned char c : b) {
        sum += c;
    }
    return {static_cast<unsigned char>(sum & 0xFF), static_cast<unsigned char>((sum >> 8) & 0xFF)};
}

const Rows kTwoByTwo = {{"a", "b"}, {"1", "2"}};

}  // namespace

TEST(DatabaseFileTest, NativeDataAndHeaderOfTheExample) {
    FixedDatabaseClock clock(0);
    KD3DataGenerator generator("db", kTwoByTwo, kModel, kCountry);
    const StageResult native = generator.getKD3NativeData();
    ASSERT_EQ(native.error, 0);
    EXPECT_EQ(native.warning, 0);
    const Bytes expected = cat({{0x04, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE4, 0x04},
                                {0x02, 0x00, 0x02, 0x00},
                                kEpoch,
                                {0x64, 0x00, 0x62, 0x00, 0x64, 0x19, 0x62, 0x19},
                                {0x61, 0x09, 0x62, 0x21, 0x18, 0x31, 0x09, 0x32, 0x21, 0x18}});
    ASSERT_EQ(expected.size(), 40u);
    EXPECT_EQ(native.bytes, expected);

    const StageResult header = generator.getKD3Header();
    ASSERT_EQ(header.error, 0);
    Bytes wanted(128, 0x00);
    const Bytes start = {0x90, 0x80, 0x30, 0x66, 0x30, 0x00, 0x00, 0x02};
    std::copy(start.begin(), start.end(), wanted.begin());
    const Bytes sum = checksumOf(expected);
    std::copy(sum.begin(), sum.end(), wanted.begin() + 14);
    wanted[16] = 40;
    std::copy(kEpoch.begin(), kEpoch.end(), wanted.begin() + 20);
    wanted[32] = 'd';
    wanted[33] = 'b';
    EXPECT_EQ(header.bytes, wanted);
}

TEST(DatabaseFileTest, RowsCountTheFieldNameRowAndOddDataIsPadded) {
    FixedDatabaseClock clock(0);
    // 22 + 4 (name forms) + "x" 21 18: 29 bytes, padded to 30.
    KD3DataGenerator odd("d", {{"x"}}, kModel, kCountry);
    const StageResult native = odd.getKD3NativeData();
    ASSERT_EQ(native.bytes.size(), 30u);
    EXPECT_EQ(native.bytes.back(), 0x00);
    EXPECT_EQ(slice(native.bytes, 26, 3), (Bytes{0x78, 0x21, 0x18}));
    const StageResult header = odd.getKD3Header();
    EXPECT_EQ(slice(header.bytes, 16, 4), (Bytes{30, 0, 0, 0}));
    EXPECT_EQ(slice(header.bytes, 14, 2), checksumOf(native.bytes));

    KD3DataGenerator records("db", {{"k", "v"}, {"1", "2"}, {"3", "4"}, {"5", "6"}}, kModel,
                             kCountry);
    const Bytes data = records.getKD3NativeData().bytes;
    EXPECT_EQ(slice(data, 10, 4), (Bytes{0x04, 0x00, 0x02, 0x00}));
}

TEST(DatabaseFileTest, CellAndNameBytesAreCopiedUnchanged) {
    FixedDatabaseClock clock(0);
    // Halves of the terminator apart from each other are ordinary bytes.
    KD3DataGenerator generator("\xC3\xA9", {{"a!", "\x18!"}}, kModel, kCountry);
    const Bytes data = generator.getKD3NativeData().bytes;
    EXPECT_EQ(slice(data, 0, 4), (Bytes{0x04, 0x00, 0x04, 0x00}));
    EXPECT_EQ(slice(data, 22, 8), (Bytes{0xC3, 0x00, 0xA9, 0x00, 0xC3, 0x19, 0xA9, 0x19}));
    EXPECT_EQ(slice(data, 30, 8), (Bytes{0x61, 0x21, 0x09, 0x18, 0x21, 0x21, 0x18, 0x00}));
}

// A cell holding the field separator (09) or the record terminator (21 18) would shift the
// printer's columns: such a table is refused like any other table the builder cannot write.
TEST(DatabaseFileTest, CellsHoldingASeparatorAreRefused) {
    const std::vector<Rows> tables = {
        {{"a\tb", "c"}, {"1", "2"}},
        {{"a", "b"}, {"1", "x!\x18y"}},
        {{"a", "b"}, {"1", "!\x18"}},
        {{"a", "b"}, {"\t", "2"}},
    };
    for (const Rows& rows : tables) {
        KD3DataGenerator generator("db", rows, kModel, kCountry);
        EXPECT_EQ(generator.getKD3Header().error, 3);
        const StageResult native = generator.getKD3NativeData();
        EXPECT_EQ(native.error, 3);
        EXPECT_TRUE(native.bytes.empty());
    }
}

TEST(DatabaseFileTest, GeneratorErrors) {
    struct Case {
        const char* what;
        std::string name;
        Rows rows;
        Parameters::MODEL model;
        Parameters::COUNTRY country;
        int error;
    };
    const std::vector<Case> cases = {
        {"empty name before empty table", "", {}, kModel, kCountry, 2},
        {"empty name", "", kTwoByTwo, kModel, kCountry, 2},
        {"no rows", "db", {}, kModel, kCountry, 1},
        {"other printer", "db", kTwoByTwo, Parameters::MODEL_NOT_SUPPORTED, kCountry, 3},
        {"other country", "db", kTwoByTwo, kModel, Parameters::COUNTRY_1, 3},
        {"no column", "db", {{}}, kModel, kCountry, 3},
    };
    for (const Case& c : cases) {
        KD3DataGenerator generator(c.name, c.rows, c.model, c.country);
        const StageResult header = generator.getKD3Header();
        const StageResult native = generator.getKD3NativeData();
        EXPECT_EQ(header.error, c.error) << c.what;
        EXPECT_EQ(native.error, c.error) << c.what;
        EXPECT_TRUE(header.bytes.empty()) << c.what;
        EXPECT_TRUE(native.bytes.empty()) << c.what;
    }
}

TEST(DatabaseFileTest, CountsBeyondTheirFieldsAreRefusedNotTruncated) {
    FixedDatabaseClock clock(0);
    // 65535 rows (field-name row included) still fit; 65536 and 65537 would be written as 0
    // and 1 and describe other records than the ones that follow.
    const Rows maxRows(65535, std::vector<std::string>{"x"});
    const StageResult fits = KD3DataGenerator("db", maxRows, kModel, kCountry).getKD3NativeData();
    ASSERT_EQ(fits.error, 0);
    EXPECT_EQ(slice(fits.bytes, 10, 4), (Bytes{0xFF, 0xFF, 0x01, 0x00}));
    for (size_t rows : {65536u, 65537u}) {
        const Rows tooMany(rows, std::vector<std::string>{"x"});
        EXPECT_EQ(KD3DataGenerator("db", tooMany, kModel, kCountry).getKD3NativeData().error, 3)
            << rows;
    }
    const Rows wide = {std::vector<std::string>(65536, "c")};
    EXPECT_EQ(KD3DataGenerator("db", wide, kModel, kCountry).getKD3Header().error, 3);

    // A name of 32767 bytes has name forms of 65534 bytes; one byte more does not fit.
    EXPECT_EQ(KD3DataGenerator(std::string(32767, 'n'), kTwoByTwo, kModel, kCountry)
                  .getKD3NativeData()
                  .error,
              0);
    EXPECT_EQ(KD3DataGenerator(std::string(32768, 'n'), kTwoByTwo, kModel, kCountry)
                  .getKD3NativeData()
                  .error,
              3);
}

TEST(DatabaseFileTest, HeaderAndNativeDataComeFromOneBuild) {
    // A clock that moves on at every reading: the header must still describe the native
    // data handed out, whichever is asked first.
    std::time_t now = 1700000000;
    FixedDatabaseClock clock([&now] { return now++; });
    KD3DataGenerator generator("db", kTwoByTwo, kModel, kCountry);
    const StageResult header = generator.getKD3Header();
    const StageResult native = generator.getKD3NativeData();
    EXPECT_EQ(generator.getKD3NativeData().bytes, native.bytes);
    EXPECT_EQ(slice(header.bytes, 14, 2), checksumOf(native.bytes));
    EXPECT_EQ(slice(header.bytes, 16, 4), (Bytes{40, 0, 0, 0}));
}

TEST(DatabaseFileTest, CalculatorFields) {
    KD3DataCalculator calculator;
    {
        FixedDatabaseClock clock(0);
        EXPECT_EQ(calculator.getUpdateDateData(), kEpoch);
    }
    {
        // 2023-11-14 22:13:20 UTC: 0x01DA1747C66D0000.
        FixedDatabaseClock clock(1700000000);
        EXPECT_EQ(calculator.getUpdateDateData(),
                  (Bytes{0x00, 0x00, 0x6D, 0xC6, 0x47, 0x17, 0xDA, 0x01}));
    }
    // The real clock is the default: a date after 2020 (FILETIME high byte 01, next D5 or
    // more).
    const Bytes real = calculator.getUpdateDateData();
    ASSERT_EQ(real.size(), 8u);
    EXPECT_EQ(real[7], 0x01);
    EXPECT_GE(real[6], 0xD5);

    EXPECT_EQ(calculator.getCheckSum({}), (Bytes{0x00, 0x00}));
    EXPECT_EQ(calculator.getCheckSum(Bytes(300, 0xFF)), (Bytes{0xD4, 0x2A}));  // 76500
    EXPECT_TRUE(calculator.getNativeDataSize({}).empty());
    EXPECT_EQ(calculator.getNativeDataSize(Bytes(0x1234)), (Bytes{0x34, 0x12, 0x00, 0x00}));
    EXPECT_EQ(calculator.convertFrom16bitTo8bit_x2(0xABCD), (Bytes{0xCD, 0xAB}));
}

TEST(DatabaseFileTest, NameFieldIsCutAtWholeCharacters) {
    struct Case {
        const char* what;
        std::string name;
        std::string kept;
    };
    const std::string fifteen = "ABCDEFGHIJKLMNO";
    const std::vector<Case> cases = {
        {"15 bytes", fifteen, fifteen},
        {"16 bytes", fifteen + "P", fifteen},
        {"two-byte character at byte 15", fifteen.substr(0, 14) + "\xC3\xA9",
         fifteen.substr(0, 14)},
        {"three-byte character ending at byte 15", "ABCDEFGHIJKL\xE2\x82\xAC",
         "ABCDEFGHIJKL\xE2\x82\xAC"},
        {"four-byte character", "ABCDEFGHIJKL\xF0\x9F\x98\x80", "ABCDEFGHIJKL"},
        {"incomplete character at the end", "ab\xE2\x82", "ab"},
        {"short", "db", "db"},
    };
    for (const Case& c : cases) {
        const Bytes field = KD3DataCalculator().adjustFileName(c.name);
        Bytes expected(c.kept.begin(), c.kept.end());
        expected.resize(16, 0x00);
        EXPECT_EQ(field, expected) << c.what;
    }
    EXPECT_TRUE(KD3DataCalculator().adjustFileName("").empty());
}

TEST(DatabaseFileTest, ModelAndCountryTables) {
    KD3ModelParameters tables;
    for (int country = 0; country <= 8; ++country) {
        EXPECT_EQ(tables.getCountryCode(static_cast<Parameters::COUNTRY>(country)), '0' + country);
    }
    for (int country : {-1, 9}) {
        EXPECT_EQ(tables.getCountryCode(static_cast<Parameters::COUNTRY>(country)), 0x00);
        EXPECT_EQ(tables.getCodePage(static_cast<Parameters::COUNTRY>(country)),
                  (Bytes{0x00, 0x00}));
    }
    EXPECT_EQ(tables.getCodePage(Parameters::COUNTRY_0), (Bytes{0xE4, 0x04}));
    EXPECT_EQ(tables.getCodePage(Parameters::COUNTRY_1), (Bytes{0x00, 0x00}));
    const KD3ModelParameters::STATUS_CODE codes = tables.getSeriesCodeAndModelCode(kModel);
    EXPECT_EQ(codes.seriesCode, 0x30);
    EXPECT_EQ(codes.modelCode, 0x66);
    EXPECT_EQ(tables.getSeriesCodeAndModelCode(Parameters::MODEL_NOT_SUPPORTED).seriesCode, 0x00);
    const KD3ModelParameters::MODEL_PARAMETERS none =
        tables.getKD3ModelParameters(Parameters::MODEL_NOT_SUPPORTED);
    EXPECT_EQ(none.recordTerminator, (Bytes{0x00, 0x00}));
    EXPECT_EQ(none.unicodeNameSizePlacement, 0);

    // Name forms: none for another model (size 00 00) and no local-code form for another
    // country.
    const auto unicodeOther = KD3DatabaseNameInUnicode().getDatabaseNameAndSizeEncodeingUnicode(
        "db", Parameters::MODEL_NOT_SUPPORTED, kCountry);
    EXPECT_EQ(unicodeOther.size, (Bytes{0x00, 0x00}));
    EXPECT_TRUE(unicodeOther.name.empty());
    EXPECT_EQ(KD3DatabaseNameInUnicode()
                  .getDatabaseNameAndSizeEncodeingUnicode("db", kModel, Parameters::COUNTRY_2)
                  .name,
              (Bytes{0x64, 0x00, 0x62, 0x00}));
    EXPECT_TRUE(
        KD3DatabaseNameInLocalCode().CSVdataToKD3data_KXC270W("db", Parameters::COUNTRY_2).empty());

    // The header needs a model and a country code.
    const Bytes data(4, 0x01);
    EXPECT_TRUE(KD3HeaderGenerator()
                    .getHeader(data, "db", Parameters::MODEL_NOT_SUPPORTED, kCountry)
                    .empty());
    EXPECT_TRUE(KD3HeaderGenerator()
                    .getHeader(data, "db", kModel, static_cast<Parameters::COUNTRY>(9))
                    .empty());
    EXPECT_TRUE(KD3HeaderGenerator().getHeader({}, "db", kModel, kCountry).empty());
    EXPECT_TRUE(KD3HeaderGenerator().getHeader(data, "", kModel, kCountry).empty());
    EXPECT_EQ(KD3HeaderGenerator().getHeader(data, "db", kModel, Parameters::COUNTRY_8)[4], '8');
}
