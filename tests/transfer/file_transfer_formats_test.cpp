#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "file_transfer_fixture.h"
#include "transfer/file_transfer_inner.h"
#include "transfer/template_header.h"

using namespace transfer_test;

namespace {

class FileFormatsTest : public PrinterStatusTest {
  protected:
    SimulatedPrinter printer;
    RasterPrintOption option = defaultOptions();
    TestFileTransfer transfer{PORT_USB, &printer, KX_C270W, option};
    TempFiles files;
};

// Data of `size` bytes with a header of `lengthByte` at `at`.
Bytes dataWithHeaderAt(size_t size, size_t at, unsigned char lengthByte, uint16_t kind) {
    Bytes data(size, 0x11);
    const Bytes h = header(lengthByte, kind);
    for (size_t i = 0; i < h.size() && at + i < size; ++i) {
        data[at + i] = h[i];
    }
    return data;
}

}  // namespace

TEST_F(FileFormatsTest, HeaderScanFindsTheFirstHeaderAndItsPayloadOffset) {
    struct Row {
        const char* name;
        size_t size;
        size_t at;
        unsigned char lengthByte;
        uint32_t payloadOffset;
        uint16_t kind;
    };
    const Row rows[] = {
        {"at 0, 64 bytes", 200, 0, 0x40, 68, 0x0100},
        {"at 10, 128 bytes", 300, 10, 0x80, 142, 0x0600},
        // Behind a long preamble the offset passes 255 and is kept whole.
        {"at 130, 128 bytes", 400, 130, 0x80, 262, 0x0B00},
        {"marker in the last 64 bytes", 200, 140, 0x40, 0, 0xFFFF},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const SendDataHeader h = transfer.getHeaderFromSendData(dataWithHeaderAt(
            row.size, row.at, row.lengthByte, row.kind == 0xFFFF ? 0x0100 : row.kind));
        EXPECT_EQ(h.payloadOffset, row.payloadOffset);
        EXPECT_EQ(h.dataKind, row.kind);
        EXPECT_EQ(errorCode(), 1);
    }
}

TEST_F(FileFormatsTest, HeaderScanSkipsWrongLengthBytesAndRefusesShortData) {
    Bytes data = dataWithHeaderAt(200, 20, 0x40, 0x0200);
    data[5] = 0x90;
    data[6] = 0x41;  // 90 41 starts no header
    EXPECT_EQ(transfer.getHeaderFromSendData(data).payloadOffset, 20u + 64 + 4);

    const SendDataHeader shortData = transfer.getHeaderFromSendData(Bytes(127, 0x90));
    EXPECT_EQ(errorCode(), 23);
    EXPECT_EQ(shortData.dataKind, 0xFFFF);
    EXPECT_EQ(shortData.payloadOffset, 0u);
}

TEST_F(FileFormatsTest, FirmwareVersionOfBothHeaderSizes) {
    Bytes h128 = header(0x80, 0x0600);
    const unsigned char v1[] = {0x31, 0x2E, 0x30, 0x35, 0x20};
    std::memcpy(&h128[64], v1, 5);
    EXPECT_EQ(transfer.getFirmFileVer(h128.data(), 128), "105 ");
    const unsigned char v2[] = {0x56, 0x31, 0x2E, 0x32, 0x33};
    std::memcpy(&h128[64], v2, 5);
    EXPECT_EQ(transfer.getFirmFileVer(h128.data(), 128), "123");

    Bytes h64 = header(0x40, 0x0600);
    const unsigned char v3[] = {0x20, 0x56, 0x31, 0x2E, 0x30, 0x32, 0x00};
    std::memcpy(&h64[36], v3, 7);
    EXPECT_EQ(transfer.getGYFirmFileVer(h64.data(), 64), "102");
    EXPECT_EQ(transfer.getGYFirmFileVer(header(0x40, 0x0600).data(), 64), "");
}

TEST_F(FileFormatsTest, VersionReadsStopAtTheEndOfTheData) {
    // A 128-byte header whose marker sits 65 bytes before the end: of its version field only
    // one byte lies inside the data. The vector is exactly as long as the data, so a read
    // past it is caught by the address checker.
    Bytes data = dataWithHeaderAt(128, 63, 0x80, 0x0600);
    data[127] = '7';
    const SendDataHeader h = transfer.getHeaderFromSendData(data);
    EXPECT_EQ(h.dataKind, 0x0600);
    EXPECT_EQ(h.version, "7");

    // A 64-byte header cut right after " V".
    std::unique_ptr<unsigned char[]> cut(new unsigned char[34]());
    cut[32] = 0x20;
    cut[33] = 'V';
    EXPECT_EQ(transfer.getGYFirmFileVer(cut.get(), 34), "");
}

TEST_F(FileFormatsTest, AdmissionOfDataKinds) {
    struct Row {
        uint16_t kind;
        bool firmware;
        bool template_;
    };
    const Row rows[] = {
        {0x0100, true, true},   {0x0200, true, true},  {0x0600, true, false},
        {0x0610, true, false},  {0x0612, true, false}, {0x0601, false, false},
        {0x0611, false, false}, {0x0B00, true, true},  {0xFFFF, true, true},
        {0x1234, true, true},
    };
    for (const Row& row : rows) {
        SendDataHeader h;
        h.dataKind = row.kind;
        EXPECT_EQ(transfer.isSupportedSendDataType(h, true), row.firmware) << std::hex << row.kind;
        EXPECT_EQ(transfer.isSupportedSendDataType(h, false), row.template_)
            << std::hex << row.kind;
    }
}

TEST_F(FileFormatsTest, TemplateHeaderRecord) {
    Bytes h = templateHeader(0x1234, "Label", 500);
    const unsigned char date[] = {0x00, 0x80, 0x3E, 0xD5, 0xDE, 0xB1, 0x9D, 0x01};
    std::memcpy(&h[20], date, 8);
    EXPECT_TRUE(transfer.checkTemplateHeaderInfo(h.data()));
    const TemplateHeader t = TemplateHeader::fromBytes(h.data(), h.size());
    EXPECT_EQ(t.templateKey, 0x1234);
    EXPECT_EQ(t.checksum, 0xC000 + 0x1234);
    EXPECT_EQ(t.dataSize, 500u);
    EXPECT_EQ(t.headerLength, 0x40);
    EXPECT_EQ(t.templateName, "Label");
    const std::array<unsigned char, 8> reversed = {0x01, 0x9D, 0xB1, 0xDE, 0xD5, 0x3E, 0x80, 0x00};
    EXPECT_EQ(t.modifiedDate, reversed);
    EXPECT_EQ(t.modified_date_filetime(), 0x019DB1DED53E8000ull);
    EXPECT_TRUE(std::equal(h.begin(), h.end(), t.rawHeader.begin()));
    EXPECT_EQ(t.rawHeader[64], 0);

    h[40] = 0x80;  // not ASCII
    EXPECT_EQ(TemplateHeader::fromBytes(h.data(), h.size()).templateName, "");
    h[6] = 0x00;
    h[7] = 0x02;  // a database header
    EXPECT_FALSE(transfer.checkTemplateHeaderInfo(h.data()));
}

TEST_F(FileFormatsTest, HeaderOfAFile) {
    EXPECT_EQ(transfer.getDataKind(files.write("missing/none.kd3", {})), 0xFFFF);
    EXPECT_EQ(errorCode(), 28);
    EXPECT_EQ(transfer.getDataKind(files.write("empty.kd3", {})), 0xFFFF);
    EXPECT_EQ(errorCode(), 1);
    Bytes firmware = header(0x80, 0x0612);
    const char version[] = "V1.07";
    std::memcpy(&firmware[64], version, 5);
    firmware.resize(300, 0xAA);
    const std::string path = files.write("firm.kd3", firmware);
    EXPECT_EQ(transfer.getDataKind(path), 0x0612);
    EXPECT_EQ(transfer.getFileVersion(path), "107");
}

TEST_F(FileFormatsTest, DatabaseFileIsCheckedAgainstTheLastStatus) {
    Bytes kd3 = header(0x80, 0x0200, 0x30, 0x41);
    kd3.resize(200, 0x55);
    const std::string path = files.write("db.kd3", kd3);

    // The status cleared at construction: non-zero codes do not match.
    EXPECT_FALSE(transfer.getKd3Data(path));
    EXPECT_EQ(errorCode(), 29);

    PrinterStatus::status_byte_[3] = 0x30;
    PrinterStatus::status_byte_[4] = 0x41;
    EXPECT_TRUE(transfer.getKd3Data(path));
    EXPECT_EQ(transfer.loadedHeaderLength(), 128);
    EXPECT_EQ(transfer.loadedSize(), 200);

    EXPECT_FALSE(
        transfer.getKd3Data(files.write("short.kd3", Bytes(kd3.begin(), kd3.begin() + 127))));
    EXPECT_EQ(errorCode(), 23);
    Bytes longHeader = kd3;
    longHeader.resize(128);
    longHeader[1] = 0xFF;  // a header longer than the file
    EXPECT_FALSE(transfer.getKd3Data(files.write("long.kd3", longHeader)));
    EXPECT_EQ(errorCode(), 23);
    EXPECT_FALSE(transfer.getKd3Data(files.write("gone/db.kd3", {})));
    EXPECT_EQ(errorCode(), 28);
}

TEST_F(FileFormatsTest, PackageModelCheck) {
    transfer.editSpec().modelName = "KX-C270W";
    const Bytes body = record(templateHeader(1), Bytes(10, 1));
    Bytes cut = preamble("KX-C2");
    cut.pop_back();  // ends inside the name, without its zero
    struct Row {
        const char* name;
        Bytes file;
        bool ok;
        int code;
    };
    const Row rows[] = {
        {"underscores", concat({preamble("KX_C270W"), body}), true, 1},
        {"hyphens", concat({preamble("KX-C270W"), body}), true, 1},
        {"other model", concat({preamble("KX-A380W"), body}), false, 29},
        // Too short to hold the name: nothing past the end is read.
        {"cut inside the name", cut, false, 29},
        {"shorter than the prefix", Bytes(20, 'P'), false, 29},
        {"empty", Bytes(), false, 23},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PrinterStatus::error_code_ = 1;
        EXPECT_EQ(transfer.getTlfData(files.write(std::to_string(&row - rows) + ".tlf", row.file)),
                  row.ok);
        EXPECT_EQ(errorCode(), row.code);
    }
}

TEST(PackageGrammar, SkipsOneRecordOrStopsWhereTheBytesEnd) {
    using FileTransfer_inner::skipTLFData;
    const Bytes good = concat({record(header(0x40, 0x0100), Bytes(5, 7)), Bytes(3, 9)});
    auto it = good.cbegin();
    EXPECT_TRUE(skipTLFData(good, &it));
    EXPECT_EQ(good.cend() - it, 3);

    // The size field is the last four bytes: no payload and nothing after it.
    const Bytes noPayload = record(header(0x40, 0x0100), {});
    it = noPayload.cbegin();
    EXPECT_FALSE(skipTLFData(noPayload, &it));

    // A size far beyond the data does not move past the end.
    Bytes huge = record(header(0x80, 0x0100), Bytes(5, 7));
    putLe32(huge, 8 + 128, 0xFFFFFFFF);
    it = huge.cbegin();
    EXPECT_FALSE(skipTLFData(huge, &it));
    EXPECT_EQ(it, huge.cbegin() + 8 + 128 + 4);

    Bytes badMarker = good;
    badMarker[8] = 0x91;
    it = badMarker.cbegin();
    EXPECT_FALSE(skipTLFData(badMarker, &it));
    EXPECT_EQ(it, badMarker.cbegin() + 8);
}
