// The CSV decoder and the database builder on any text: what the decoder accepts is a
// rectangular table, and every cell of it stands unaltered between the separators of the
// database bytes, where the printer reads it back; a table the format cannot carry gives no
// database. The package around it walks as one package record. Sent as the host asks
// (flag 4), the package goes out in one piece and the call ends by the rule of
// checkOperationEnd, also when the host cancels or refuses a progress message.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/raster_print_option.h"
#include "connection/util.h"
#include "fuzz_common.h"
#include "fuzz_input.h"
#include "fuzz_printer.h"
#include "fuzzed_observer.h"
#include "operation_checks.h"
#include "transfer/csv_decoder.h"
#include "transfer/file_transfer.h"
#include "transfer/file_transfer_inner.h"
#include "transfer/kd3_data_generator.h"
#include "transfer/tlf_data_generator.h"

using namespace lumeko_fuzz;
using namespace tl::database;

namespace {

using Bytes = std::vector<unsigned char>;

// Fixed part of the native data: two name sizes, four zero bytes, code page, row and column
// counts, date.
constexpr size_t kFixedPart = 22;
constexpr unsigned char kSeparator = 0x09;
constexpr unsigned char kTerminator[2] = {0x21, 0x18};

bool cellHoldsSeparator(const std::string& cell) {
    return cell.find('\t') != std::string::npos || cell.find("!\x18") != std::string::npos;
}

// Reads the records back as the printer does: a cell ends at the first separator or
// terminator; every row ends with the terminator after its last cell.
void checkRecords(const Bytes& records, const Rows& rows) {
    size_t at = 0;
    for (const std::vector<std::string>& row : rows) {
        for (size_t column = 0; column < row.size(); ++column) {
            size_t end = at;
            while (end < records.size() && records[end] != kSeparator &&
                   !(records[end] == kTerminator[0] && end + 1 < records.size() &&
                     records[end + 1] == kTerminator[1])) {
                ++end;
            }
            FUZZ_CHECK(end < records.size());
            FUZZ_CHECK(std::string(records.begin() + static_cast<long>(at),
                                   records.begin() + static_cast<long>(end)) == row[column]);
            const bool last = column + 1 == row.size();
            FUZZ_CHECK(last ? records[end] == kTerminator[0] : records[end] == kSeparator);
            at = end + (last ? 2 : 1);
        }
    }
    // Only the padding to an even length may follow.
    FUZZ_CHECK(at == records.size() || (at + 1 == records.size() && records[at] == 0));
}

class FuzzFileTransfer : public FileTransfer {
  public:
    using FileTransfer::FileTransfer;
    PrinterSpec& editSpec() { return spec; }
};

// The CSV text as a file the host names, sent to a printer that answers anything.
void checkSending(FuzzInput& in, const std::string& name, bool supportedModel) {
    static const std::string path =
        "/tmp/lumeko_database_fuzz_" + std::to_string(getpid()) + ".csv";
    const Bytes text = in.longBytes();
    FUZZ_CHECK(tpes::Util::writeFile(path, text.data(), static_cast<int>(text.size()), true));
    const Port port = pickPort(in);
    const unsigned options = in.u8();
    FuzzedObserver printer(in);
    if ((options & 1) != 0) {
        printer.cancelAtCall(in.pick(8));
    }
    if ((options & 2) != 0) {
        printer.refuseAtCall(in.pick(8));
    }
    RasterPrintOption option;
    FuzzFileTransfer transfer(port, &printer, supportedModel ? KX_C270W : KX_A380W, option);
    transfer.editSpec().statusSupported = (options & 4) != 0;
    const bool ok = transfer.sendDatabaseData(name, path);
    unlink(path.c_str());
    checkOperationEnd(ok, printer);
    const std::vector<FuzzedObserver::Call>& calls = printer.calls();
    if (ok) {
        // The package went out whole in the first call.
        FUZZ_CHECK(!calls.empty() && calls[0].slot == FuzzedObserver::Slot::SendData &&
                   calls[0].result == 1 && calls[0].sent.size() > 128);
    }
    if (PrinterStatus::error_code_ == 59) {
        FUZZ_CHECK(calls.empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    static const char kDelimiters[] = {',', '\t', 0, ';'};
    const char delimiter = kDelimiters[in.pick(4)];
    const bool hasFieldName = in.flag();
    const unsigned flags = in.u8();
    const Parameters::MODEL model =
        (flags & 1) != 0 ? Parameters::MODEL_NOT_SUPPORTED : Parameters::MODEL_KX_C270W;
    const Parameters::COUNTRY country =
        (flags & 2) != 0 ? static_cast<Parameters::COUNTRY>(in.pick(10)) : Parameters::COUNTRY_0;
    const std::string name = in.shortText();
    if ((flags & 4) != 0) {
        checkSending(in, name, model == Parameters::MODEL_KX_C270W);
        return 0;
    }
    const std::vector<unsigned char> text = in.rest();

    auto stream = std::make_shared<std::istringstream>(std::string(text.begin(), text.end()));
    const tf::csv::Decoder::DECODE_RESULT decoded =
        tf::csv::Decoder().decode(stream, delimiter, hasFieldName);
    FUZZ_CHECK(decoded.error >= 0 && decoded.error <= 7);
    if (decoded.error != 0) {
        FUZZ_CHECK(decoded.rows.empty());
        return 0;
    }
    // A field-name row and at least one record, all of one width.
    FUZZ_CHECK(decoded.rows.size() >= 2);
    const size_t columns = decoded.rows.front().size();
    FUZZ_CHECK(columns > 0);
    for (const std::vector<std::string>& row : decoded.rows) {
        FUZZ_CHECK(row.size() == columns);
    }

    KD3DataGenerator generator(name, decoded.rows, model, country);
    const StageResult header = generator.getKD3Header();
    const StageResult native = generator.getKD3NativeData();
    FUZZ_CHECK(header.error == native.error);
    bool unwritable = false;
    for (const std::vector<std::string>& row : decoded.rows) {
        for (const std::string& cell : row) {
            unwritable = unwritable || cellHoldsSeparator(cell);
        }
    }
    const bool tooLarge = decoded.rows.size() > 0xFFFF || columns > 0xFFFF || name.size() > 32767;
    if (name.empty() || model != Parameters::MODEL_KX_C270W || country != Parameters::COUNTRY_0 ||
        unwritable || tooLarge) {
        FUZZ_CHECK(native.error != 0 && native.bytes.empty() && header.bytes.empty());
        return 0;
    }
    FUZZ_CHECK(native.error == 0);

    // The native data: fixed part, both name forms, the records.
    const Bytes& bytes = native.bytes;
    const size_t records = kFixedPart + 4 * name.size();
    FUZZ_CHECK(bytes.size() % 2 == 0 && bytes.size() >= records);
    FUZZ_CHECK(bytes[10] == (decoded.rows.size() & 0xFF) &&
               bytes[11] == (decoded.rows.size() >> 8));
    FUZZ_CHECK(bytes[12] == (columns & 0xFF) && bytes[13] == (columns >> 8));
    checkRecords(Bytes(bytes.begin() + static_cast<long>(records), bytes.end()), decoded.rows);

    // The header describes these bytes.
    FUZZ_CHECK(header.bytes.size() == 128 && header.bytes[0] == 0x90 && header.bytes[1] == 0x80);
    FUZZ_CHECK(header.bytes[6] == 0x00 && header.bytes[7] == 0x02);
    uint32_t described = 0;
    for (int i = 0; i < 4; ++i) {
        described |= static_cast<uint32_t>(header.bytes[16 + static_cast<size_t>(i)]) << (8 * i);
    }
    FUZZ_CHECK(described == bytes.size());

    // The package holds one record that the record grammar walks to its end.
    const StageResult package = TLFDataGenerator().getTLFData(header.bytes, bytes, model);
    FUZZ_CHECK(package.error == 0);
    const Bytes& p = package.bytes;
    FUZZ_CHECK(p.size() >= 52 + 8 + 128 + 4 + bytes.size());
    auto it = p.cbegin() + 52;
    FUZZ_CHECK(FileTransfer_inner::skipTLFData(p, &it));
    FUZZ_CHECK(it == p.end() || (it + 1 == p.end() && *it == 0));
    FUZZ_CHECK(Bytes(it - static_cast<long>(bytes.size()), it) == bytes);
    return 0;
}
