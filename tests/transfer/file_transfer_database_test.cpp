#include <gtest/gtest.h>

#include "file_transfer_fixture.h"

using namespace transfer_test;

namespace {

const std::string kTransferStatusOid = "1.3.6.1.4.1.7741.3.3.9.1.6.3.0";

class DatabaseSendingTest : public PrinterStatusTest {
  protected:
    std::string csv() {
        const std::string text = "Name,Code\nApple,1\nPear,2\n";
        return files.write("items.csv", Bytes(text.begin(), text.end()));
    }

    RasterPrintOption option = defaultOptions();
    TempFiles files;
};

}  // namespace

TEST_F(DatabaseSendingTest, PackageInOneSendThenTheTransferStatus) {
    struct Row {
        const char* name;
        Bytes status;
        bool ok;
        int code;
    };
    const Row rows[] = {
        {"taken completely", transferStatus(1), true, 1},
        {"printer asks for more", transferStatus(1, 0, 0, 0x10), false, 6},
        {"made for another printer", transferStatus(2, 1, 0), false, 29},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedPrinter p;
        TestFileTransfer t(PORT_BLUETOOTH, &p, KX_C270W, option);
        configure(t, PORT_BLUETOOTH, true);
        p.queueRecord(Record(row.status));
        EXPECT_EQ(t.sendDatabaseData("items", csv()), row.ok);
        EXPECT_EQ(errorCode(), row.code);
        const auto sends = p.sentData();
        ASSERT_EQ(sends.size(), 1u);
        EXPECT_GT(sends[0].size(), 128u);
        EXPECT_EQ(p.messages(), (std::vector<int>{10, 11}));
    }
}

TEST_F(DatabaseSendingTest, NoPackageNothingSent) {
    SimulatedPrinter p;
    TestFileTransfer otherModel(PORT_BLUETOOTH, &p, KX_A380W, option);
    EXPECT_FALSE(otherModel.sendDatabaseData("items", csv()));
    EXPECT_EQ(errorCode(), 59);

    TestFileTransfer t(PORT_BLUETOOTH, &p, KX_C270W, option);
    EXPECT_FALSE(t.sendDatabaseData("items", files.write("missing/items.csv", {})));
    EXPECT_EQ(errorCode(), 59);
    // A cell holding a tab, the separator of the database's cells.
    const std::string tab = "name,price\n\"tea\tcup\",3\n";
    EXPECT_FALSE(
        t.sendDatabaseData("items", files.write("tab.csv", Bytes(tab.begin(), tab.end()))));
    EXPECT_EQ(errorCode(), 59);
    EXPECT_TRUE(p.calls().empty());
}

TEST_F(DatabaseSendingTest, NetworkPortRefreshesTheStatus) {
    SimulatedPrinter p;
    TestFileTransfer t(PORT_NET, &p, KX_C270W, option);
    configure(t, PORT_NET, true);
    p.onOid(kTransferStatusOid, {Reply(transferStatus(1)), Reply(transferStatus(2, 0, 4))});
    EXPECT_TRUE(t.sendDatabaseData("items", csv()));
    EXPECT_EQ(errorCode(), 1);
    // A refusal in the refreshed status makes the result false as well as the code.
    EXPECT_FALSE(t.sendDatabaseData("items", csv()));
    EXPECT_EQ(errorCode(), 41);

    SimulatedPrinter silent;
    TestFileTransfer noStatus(PORT_USB, &silent, KX_C270W, option);
    configure(noStatus, PORT_USB, false);
    EXPECT_TRUE(noStatus.sendDatabaseData("items", csv()));
    EXPECT_TRUE(silent.calls(Slot::ReceiveData).empty());
}
