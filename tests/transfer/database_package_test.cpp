#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database_clock.h"
#include "file_transfer_fixture.h"
#include "transfer/csv_decoder.h"
#include "transfer/database_generator.h"
#include "transfer/database_issue.h"
#include "transfer/file_transfer.h"
#include "transfer/file_transfer_inner.h"
#include "transfer/generator_wrapper.h"
#include "transfer/tlf_data_generator.h"
#include "transfer/tlf_model_parameters.h"

using namespace tl::database;

namespace {

using Bytes = std::vector<unsigned char>;

const Bytes kPjlPrefix = {0x1B, 0x25, 0x2D, 0x31, 0x32, 0x33, 0x34, 0x35, 0x58, 0x40, 0x50,
                          0x4A, 0x4C, 0x20, 0x45, 0x4E, 0x54, 0x45, 0x52, 0x20, 0x4C, 0x41,
                          0x4E, 0x47, 0x55, 0x41, 0x47, 0x45, 0x3D, 0x50, 0x43, 0x4C, 0x0A,
                          0x1B, 0x0D, 0x21, 0x31, 0x32, 0x33, 0x35, 0x35, 0x46};
const Bytes kModelName = {'K', 'X', '-', 'C', '2', '7', '0', 'W', 0x00, 0x00};
const Bytes kFileWrite = {0x1B, 0x69, 0x46, 0x49, 0x1B, 0x69, 0x46, 0x44};

Bytes bytesOf(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes slice(const Bytes& b, size_t from, size_t n) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                 b.begin() + static_cast<std::ptrdiff_t>(from + n));
}

StageResult pipeline(const std::string& name, const std::string& path,
                     Generator::DELIMITER delimiter = Generator::DELIMITER_COMMA,
                     Parameters::MODEL model = Parameters::MODEL_KX_C270W) {
    return Generator().convertCSVToTLF(name, path, delimiter, model, Parameters::COUNTRY_0, true);
}

Bytes wrapper(const std::string& name, const std::string& path, Model model = KX_C270W) {
    return GeneratorWrapper().convertFromCSVDataToTLFData(name, path, model,
                                                          GeneratorWrapper::COUNTRY_CODE_DEFAULT,
                                                          GeneratorWrapper::FIELD_NAME_EXISTS);
}

}  // namespace

class DatabasePackageTest : public PrinterStatusTest {
  protected:
    transfer_test::TempFiles files;
    FixedDatabaseClock clock{0};
};

TEST_F(DatabasePackageTest, PackageOfTheTwoLineTable) {
    const std::string path = files.write("two_lines.csv", bytesOf("a,b\n1,2\n"));
    const Bytes package = wrapper("db", path);
    ASSERT_EQ(package.size(), 232u);
    EXPECT_EQ(slice(package, 0, 42), kPjlPrefix);
    EXPECT_EQ(slice(package, 42, 10), kModelName);
    EXPECT_EQ(slice(package, 52, 8), kFileWrite);
    EXPECT_EQ(slice(package, 60, 8), (Bytes{0x90, 0x80, 0x30, 0x66, 0x30, 0x00, 0x00, 0x02}));
    EXPECT_EQ(slice(package, 188, 4), (Bytes{40, 0, 0, 0}));
    EXPECT_EQ(slice(package, 192, 4), (Bytes{0x04, 0x00, 0x04, 0x00}));
    EXPECT_EQ(slice(package, 222, 10),
              (Bytes{0x61, 0x09, 0x62, 0x21, 0x18, 0x31, 0x09, 0x32, 0x21, 0x18}));
    const StageResult same = pipeline("db", path);
    EXPECT_EQ(same.error, 0);
    EXPECT_EQ(same.warning, 0);
    EXPECT_EQ(same.bytes, package);

    // The printer's side of the format: the package is loaded for the printer it names, its
    // one record follows the record grammar to the last byte, and its header is a database
    // header.
    const std::string packagePath = files.write("db.tlf", package);
    RasterPrintOption option;
    FileTransfer transfer(PORT_USB, nullptr, KX_C270W, option);
    EXPECT_TRUE(transfer.getTlfData(packagePath));
    EXPECT_EQ(PrinterStatus::error_code_.load(), 1);
    Bytes::const_iterator it = package.begin() + 52;
    EXPECT_TRUE(FileTransfer_inner::skipTLFData(package, &it));
    EXPECT_TRUE(it == package.end());
    const SendDataHeader header = transfer.getHeaderFromSendData(package);
    EXPECT_EQ(header.dataKind, 0x0200);
    EXPECT_EQ(header.payloadOffset, 192);
}

TEST_F(DatabasePackageTest, PipelineCodes) {
    struct Case {
        const char* what;
        std::string content;  // empty name of file: the path does not exist
        std::string name;
        Generator::DELIMITER delimiter;
        Parameters::MODEL model;
        int error;
    };
    const auto comma = Generator::DELIMITER_COMMA;
    const auto kx = Parameters::MODEL_KX_C270W;
    const std::vector<Case> cases = {
        {"empty file", "", "db", comma, kx, 2},
        {"unclosed quote in the first line", "\"a\n1", "db", comma, kx, 3},
        {"field-name line only", "a,b\n", "db", comma, kx, 4},
        {"unknown delimiter", "a,b\n1,2", "db", static_cast<Generator::DELIMITER>(3), kx, 5},
        {"byte-order mark only", "\xEF\xBB\xBF\n1", "db", comma, kx, 6},
        {"larger than a table may be", std::string(70000, ',') + "\n1", "db", comma, kx, 8},
        {"empty name", "a,b\n1,2", "", comma, kx, 10},
        {"other printer", "a,b\n1,2", "db", comma, Parameters::MODEL_NOT_SUPPORTED, 11},
        {"tab in a quoted cell", "a,b\n\"1\t2\",3", "db", comma, kx, 11},
        {"record terminator in a cell", "a,b\n1!\x18,3", "db", comma, kx, 11},
        {"tab in a field name", "a\tx,b\n1,2", "db", comma, kx, 11},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string path =
            files.write("codes" + std::to_string(n++) + ".csv", bytesOf(c.content));
        const StageResult result = pipeline(c.name, path, c.delimiter, c.model);
        EXPECT_EQ(result.error, c.error) << c.what;
        EXPECT_EQ(result.warning, 0) << c.what;
        EXPECT_TRUE(result.bytes.empty()) << c.what;
    }
    const StageResult missing =
        pipeline("db", testing::TempDir() + "no_such_dir/none.csv", comma, kx);
    EXPECT_EQ(missing.error, 1);
    EXPECT_TRUE(missing.bytes.empty());
    // A directory opens but gives no line.
    EXPECT_EQ(pipeline("db", testing::TempDir(), comma, kx).error, 2);
}

TEST_F(DatabasePackageTest, WrapperGivesNothingOnAnyFailure) {
    const std::string good = files.write("good.csv", bytesOf("a,b\n1,2\n"));
    PrinterStatus::error_code_.store(77);
    EXPECT_TRUE(wrapper("db", good, KX_A540W).empty());
    EXPECT_TRUE(wrapper("db", good, NO_MODEL).empty());
    EXPECT_TRUE(wrapper("", good).empty());
    EXPECT_TRUE(wrapper("db", testing::TempDir() + "missing.csv").empty());
    EXPECT_TRUE(wrapper("db", files.write("empty.csv", {})).empty());
    // The pipeline leaves the printer status alone.
    EXPECT_EQ(PrinterStatus::error_code_.load(), 77);
    EXPECT_FALSE(wrapper("db", good).empty());
    EXPECT_EQ(PrinterStatus::error_code_.load(), 77);

    GeneratorWrapper w;
    EXPECT_EQ(w.getModel(KX_C270W), Parameters::MODEL_KX_C270W);
    EXPECT_EQ(w.getModel(KX_C240), Parameters::MODEL_NOT_SUPPORTED);
    EXPECT_EQ(w.getCountry(static_cast<GeneratorWrapper::COUNTRY_CODE>(5)), Parameters::COUNTRY_0);
    EXPECT_TRUE(w.isExistingFieldName(GeneratorWrapper::FIELD_NAME_EXISTS));
    EXPECT_TRUE(w.isExistingFieldName(static_cast<GeneratorWrapper::FIELD_NAME>(0)));
    EXPECT_FALSE(w.isExistingFieldName(GeneratorWrapper::FIELD_NAME_NONE));
}

TEST_F(DatabasePackageTest, DecoderWarningsStillGiveAPackage) {
    // An empty field name is replaced by F and its column number; all-empty records pass
    // too, since the later stages record their own codes.
    const Bytes package = wrapper("db", files.write("names.csv", bytesOf("a,,c\n1,2,3\n")));
    ASSERT_FALSE(package.empty());
    // 15 record bytes: the native data ends with one 00 to be even.
    Bytes records = bytesOf(
        "a\tF2\tc!\x18"
        "1\t2\t3!\x18");
    records.push_back(0x00);
    EXPECT_EQ(slice(package, package.size() - records.size(), records.size()), records);
    EXPECT_FALSE(wrapper("db", files.write("blank.csv", bytesOf("a,b\n,\n"))).empty());
}

TEST_F(DatabasePackageTest, TabSeparatedFiles) {
    const std::string path = files.write("tabs.csv", bytesOf("a\tb,c\n1\t2\n"));
    const StageResult result = pipeline("db", path, Generator::DELIMITER_TAB);
    ASSERT_EQ(result.error, 0);
    const Bytes records = bytesOf(
        "a\tb,c!\x18"
        "1\t2!\x18");
    EXPECT_EQ(slice(result.bytes, result.bytes.size() - records.size(), records.size()), records);
    // The wrapper always reads commas: there the tabs stay inside the cells, where the
    // printer would take them for separators, so the file gives no package.
    EXPECT_TRUE(wrapper("db", path).empty());
    EXPECT_EQ(pipeline("db", path).error, 11);
}

TEST_F(DatabasePackageTest, PackageParts) {
    TLFDataGenerator tlf;
    EXPECT_EQ(tlf.getTLFHeaderByPJLCommand(), kPjlPrefix);
    EXPECT_EQ(tlf.getTLFFileWriteCommand(), kFileWrite);
    const Bytes header(128, 0x90);
    const Bytes odd = {0x01, 0x02, 0x03};
    const StageResult padded = tlf.getTLFData(header, odd, Parameters::MODEL_KX_C270W);
    EXPECT_EQ(padded.error, 0);
    ASSERT_EQ(padded.bytes.size(), 42u + 10 + 8 + 128 + 4 + 3 + 1);
    EXPECT_EQ(padded.bytes.back(), 0x00);
    EXPECT_EQ(slice(padded.bytes, 188, 4), (Bytes{3, 0, 0, 0}));

    struct Case {
        const char* what;
        Bytes header;
        Bytes data;
        Parameters::MODEL model;
    };
    const std::vector<Case> empties = {
        {"no header", {}, odd, Parameters::MODEL_KX_C270W},
        {"no native data", header, {}, Parameters::MODEL_KX_C270W},
        {"no model name", header, odd, Parameters::MODEL_NOT_SUPPORTED},
    };
    for (const Case& c : empties) {
        const StageResult result = tlf.getTLFData(c.header, c.data, c.model);
        EXPECT_EQ(result.error, 1) << c.what;
        EXPECT_TRUE(result.bytes.empty()) << c.what;
    }

    TLFModelParameters names;
    EXPECT_EQ(names.getModelName(Parameters::MODEL_KX_C270W), kModelName);
    EXPECT_TRUE(names.getModelName(Parameters::MODEL_NOT_SUPPORTED).empty());
    EXPECT_TRUE(names.convertFromStringToVector("").empty());
    EXPECT_EQ(names.convertFromStringToVector("abc"), (Bytes{0x61, 0x62, 0x63, 0x00}));
    EXPECT_EQ(names.convertFromStringToVector("ab"), (Bytes{0x61, 0x62, 0x00, 0x00}));
}

TEST(DatabaseIssueTest, StageCodesMapToPipelineCodes) {
    using D = tf::csv::Decoder;
    Issue issue;
    const std::vector<int> decodeErrors = {0, 2, 3, 4, 5, 6, 7, 8};
    for (int code = 0; code < 8; ++code) {
        EXPECT_EQ(
            issue.checkCSVDecode(static_cast<D::DECODE_ERROR>(code), D::DECODE_WARNING_NONE).first,
            decodeErrors[static_cast<size_t>(code)]);
    }
    const std::vector<int> decodeWarnings = {0, 1, 2, -1, -1};
    for (int code = 0; code < 5; ++code) {
        EXPECT_EQ(
            issue.checkCSVDecode(D::DECODE_ERROR_NONE, static_cast<D::DECODE_WARNING>(code)).second,
            decodeWarnings[static_cast<size_t>(code)]);
    }
    for (int code : {-1, 8, 1000}) {
        EXPECT_EQ(issue.checkCSVDecode(static_cast<D::DECODE_ERROR>(code),
                                       static_cast<D::DECODE_WARNING>(code)),
                  (Issue::Codes{-1, -1}))
            << code;
    }
    const std::vector<std::pair<int, int>> kd3 = {{0, 0},  {1, 9},  {2, 10},
                                                  {3, 11}, {4, -1}, {-1, -1}};
    for (const auto& c : kd3) {
        EXPECT_EQ(issue.convertKD3ErrorAndWarning(static_cast<KD3DataGenerator::ERROR>(c.first),
                                                  KD3DataGenerator::WARNING_NONE),
                  (Issue::Codes{c.second, 0}));
    }
    EXPECT_EQ(issue
                  .convertKD3ErrorAndWarning(KD3DataGenerator::ERROR_NONE,
                                             static_cast<KD3DataGenerator::WARNING>(1))
                  .second,
              -1);
    const std::vector<std::pair<int, int>> tlf = {{0, 0}, {1, 12}, {2, -1}, {-3, -1}};
    for (const auto& c : tlf) {
        EXPECT_EQ(issue.convertTLFErrorAndWarning(static_cast<TLFDataGenerator::ERROR>(c.first),
                                                  TLFDataGenerator::WARNING_NONE),
                  (Issue::Codes{c.second, 0}));
    }
    EXPECT_EQ(issue
                  .convertTLFErrorAndWarning(TLFDataGenerator::ERROR_NONE,
                                             static_cast<TLFDataGenerator::WARNING>(-2))
                  .second,
              -1);
}
