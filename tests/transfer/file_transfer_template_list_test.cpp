#include <gtest/gtest.h>

#include <cstdio>

#include "file_transfer_fixture.h"

using namespace transfer_test;

namespace {

const std::string kCountOid = "1.3.6.1.4.1.7741.3.3.9.1.6.4.0";
const std::string kHeaderOid = "1.3.6.1.4.1.7741.3.3.9.1.6.5.0";
const Bytes kList = {0x1B, 0x69, 0x46, 0x4C, 0x00};
const Bytes kRemoval = {0x1B, 0x69, 0x46, 0x52};

// A list reply: the count, then the headers as the printer sends them (length byte 80).
Bytes listReply(const std::vector<uint16_t>& keys, const Bytes& before = {}) {
    Bytes reply = before;
    reply.push_back(static_cast<unsigned char>(keys.size()));
    reply.push_back(0);
    for (uint16_t key : keys) {
        Bytes h = templateHeader(key, "K" + std::to_string(key));
        h[1] = 0x80;
        reply.insert(reply.end(), h.begin(), h.end());
    }
    return reply;
}

std::string hexText(const Bytes& bytes) {
    std::string text = "0x";
    for (size_t i = 0; i < bytes.size(); ++i) {
        char piece[4];
        std::snprintf(piece, sizeof piece, "%02x", bytes[i]);
        text += (i > 0 ? ":" : "") + std::string(piece);
    }
    return text;
}

std::vector<uint16_t> keysOf(const std::vector<TemplateHeader>& list) {
    std::vector<uint16_t> keys;
    for (const TemplateHeader& h : list) {
        keys.push_back(h.templateKey);
    }
    return keys;
}

class TemplateListTest : public PrinterStatusTest {
  protected:
    std::unique_ptr<TestFileTransfer> make(Port port, bool statusSupported = false) {
        auto t = std::make_unique<TestFileTransfer>(port, &printer, KX_C270W, option);
        configure(*t, port, statusSupported);
        return t;
    }

    SimulatedPrinter printer;
    RasterPrintOption option = defaultOptions(false);
    WaitRecorder waits;
    std::vector<TemplateHeader> list;
};

}  // namespace

TEST_F(TemplateListTest, ListByCommand) {
    struct Row {
        const char* name;
        Bytes reply;
        std::vector<uint16_t> keys;
    };
    const Row rows[] = {
        {"count first", listReply({3, 4}), {3, 4}},
        {"count after 32 other bytes", listReply({8}, Bytes(32, 0xFF)), {8}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedPrinter p;
        TestFileTransfer t(PORT_USB, &p, KX_C270W, option);
        configure(t, PORT_USB, false);
        p.queueRecord(Record(row.reply));
        EXPECT_TRUE(t.getTemplateList(list));
        EXPECT_EQ(keysOf(list), row.keys);
        for (const TemplateHeader& h : list) {
            EXPECT_EQ(h.headerLength, 0x40);
            EXPECT_EQ(h.rawHeader[1], 0x40);
        }
        EXPECT_EQ(p.sentData(), (std::vector<Bytes>{kStart, kList}));
        EXPECT_EQ(p.messages(), (std::vector<int>{32, 33}));
        EXPECT_EQ(p.calls(Slot::ReceiveData).at(0).length, 256);
    }
}

TEST_F(TemplateListTest, ThreeHeadersInSmallPiecesOnBle) {
    auto t = make(PORT_BLE);
    const Bytes reply = listReply({1, 2, 3});
    for (size_t at = 0; at < reply.size(); at += 32) {
        printer.queueRecord(
            Record(Bytes(reply.begin() + static_cast<long>(at),
                         reply.begin() + static_cast<long>(std::min(at + 32, reply.size())))));
    }
    printer.setDefaultRecord(Bytes(32, 0xEE));  // more than the list: must not be read
    EXPECT_TRUE(t->getTemplateList(list));
    EXPECT_EQ(keysOf(list), (std::vector<uint16_t>{1, 2, 3}));
    const auto reads = printer.calls(Slot::ReceiveData);
    EXPECT_EQ(reads.size(), 7u);  // 30 header bytes, then 32 at a time until 192
    for (const auto& r : reads) {
        EXPECT_EQ(r.length, 32);
    }
}

TEST_F(TemplateListTest, EmptyOrUnreadableLists) {
    auto t = make(PORT_USB);
    printer.queueRecord(Record(Bytes{0, 0}));
    EXPECT_FALSE(t->getTemplateList(list));
    EXPECT_EQ(errorCode(), 42);
    EXPECT_TRUE(list.empty());

    // No count anywhere in the first piece: not a list. What the printer still sends for the
    // value read (100 x 64 bytes) is read off the line and dropped, and no more than that.
    {
        SimulatedPrinter p;
        TestFileTransfer noCount(PORT_USB, &p, KX_C270W, option);
        configure(noCount, PORT_USB, false);
        p.queueRecord(Record(Bytes{100, 0}));
        p.setDefaultRecord(templateHeader(1, "K1"));
        EXPECT_FALSE(noCount.getTemplateList(list));
        EXPECT_EQ(errorCode(), 6);
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(p.calls(Slot::ReceiveData).size(), 1u + 100u);  // 2 + 100 x 64 >= 6400
    }
    // A printer that stops sending ends the reading at once.
    printer.queueRecord(Record(Bytes(256, 0xFF)));
    printer.queueRecord(Record::withCount({}, 0));
    EXPECT_FALSE(t->getTemplateList(list));
    EXPECT_EQ(errorCode(), 6);
    EXPECT_EQ(printer.calls(Slot::ReceiveData).size(), 3u);

    // The list stops before the count promised.
    const Bytes cut = listReply({1, 2});
    SimulatedPrinter p;
    TestFileTransfer shortList(PORT_USB, &p, KX_C270W, option);
    configure(shortList, PORT_USB, false);
    p.queueRecord(Record(Bytes(cut.begin(), cut.begin() + 100)));
    p.queueRecord(Record::withCount({}, 0));
    EXPECT_FALSE(shortList.getTemplateList(list));
    EXPECT_EQ(errorCode(), 6);
    EXPECT_TRUE(list.empty());

    auto onlyPrint = make(PORT_USB);
    onlyPrint->editSpec().supportFunctions[PORT_USB] = 0x01;
    EXPECT_FALSE(onlyPrint->getTemplateList(list));
    EXPECT_EQ(errorCode(), 41);
}

TEST_F(TemplateListTest, OnlyTheCountedHeadersOfAPieceAreTheList) {
    // One template counted; a stale header stands behind it in the same piece.
    const Bytes reply = concat({listReply({1}), templateHeader(7, "OLD")});
    SimulatedPrinter p;
    TestFileTransfer t(PORT_USB, &p, KX_C270W, option);
    configure(t, PORT_USB, false);
    p.queueRecord(Record(reply));
    EXPECT_TRUE(t.getTemplateList(list));
    EXPECT_EQ(keysOf(list), (std::vector<uint16_t>{1}));
}

TEST_F(TemplateListTest, DrainingAReplyWithoutCountIsBoundedAndCancellable) {
    struct Row {
        const char* name;
        Bytes piece;       // every piece after the first
        int cancelAtRead;  // 0: no cancel
        size_t reads;
        int code;
    };
    // The first piece reads 100 (no count): 6400 bytes are promised.
    const Row rows[] = {
        {"cancel while draining", Bytes(64, 0xEE), 3, 3, 37},
        {"one byte at a time", Bytes(1, 0xEE), 0, 1 + 6400 / 32, 6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SimulatedPrinter p;
        TestFileTransfer t(PORT_USB, &p, KX_C270W, option);
        configure(t, PORT_USB, false);
        p.queueRecord(Record(Bytes{100, 0}));
        p.setDefaultRecord(row.piece);
        if (row.cancelAtRead > 0) {
            p.onSlotCall(Slot::ReceiveData, row.cancelAtRead, [&t] { t.cancel(); });
        }
        EXPECT_FALSE(t.getTemplateList(list));
        EXPECT_EQ(errorCode(), row.code);
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(p.calls(Slot::ReceiveData).size(), row.reads);
    }
}

TEST_F(TemplateListTest, ListOverTheNetwork) {
    auto t = make(PORT_NET);
    printer.onOid(kCountOid, {Reply(Bytes{0x10, 0x00})});
    std::vector<Reply> headers;
    for (uint16_t key = 1; key <= 16; ++key) {
        // Hexadecimal texts and, for one header, the bytes themselves.
        const Bytes h = templateHeader(key);
        headers.push_back(Reply::text(key == 5 ? std::string(h.begin(), h.end()) : hexText(h)));
    }
    printer.onOid(kHeaderOid, headers);
    EXPECT_TRUE(t->getTemplateList(list));
    EXPECT_EQ(list.size(), 16u);
    EXPECT_EQ(list.at(4).templateKey, 5);
    EXPECT_EQ(list.at(15).templateKey, 16);
    EXPECT_EQ(printer.calls(Slot::SendStringReceiveString).size(), 16u);
    EXPECT_TRUE(printer.calls(Slot::ReceiveData).empty());
}

TEST_F(TemplateListTest, CancelDuringTheNetworkHeaderReadsEndsThem) {
    // A printer holding 4095 templates: the host cancels during the first header read, and
    // no further read or try follows.
    auto t = make(PORT_NET);
    printer.onOid(kCountOid, {Reply(Bytes{0xFF, 0x0F})});
    printer.onOid(kHeaderOid, {Reply::text(hexText(templateHeader(1)))});
    printer.onSlotCall(Slot::SendStringReceiveString, 1, [] { BasePrinter::cancel(); });
    EXPECT_FALSE(t->getTemplateList(list));
    EXPECT_EQ(errorCode(), 37);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(printer.calls(Slot::SendStringReceiveString).size(), 1u);
    EXPECT_EQ(printer.calls(Slot::SendStringReceiveData).size(), 1u);
    EXPECT_TRUE(waits.seconds().empty());
    EXPECT_EQ(printer.messages(), (std::vector<int>{32, 33}));
}

TEST_F(TemplateListTest, NetworkCountOutOfRangeTriesFiveTimes) {
    auto t = make(PORT_NET);
    printer.onOid(kCountOid, {Reply(Bytes{0x00, 0x10})});  // 4096
    EXPECT_FALSE(t->getTemplateList(list));
    EXPECT_EQ(errorCode(), 6);
    EXPECT_EQ(printer.calls(Slot::SendStringReceiveData).size(), 5u);
    EXPECT_EQ(waits.seconds(), (std::vector<long long>{3, 3, 3, 3}));
}

// The printer counts two templates but does not deliver the second header whole: no try
// gives the list, and the host is not told of one template.
const struct ShortNetworkList {
    const char* name;
    Reply second;
} kShortNetworkLists[] = {
    {"second text empty", Reply::text("")},
    {"second text not a header", Reply::text("0x00:40:01")},
    {"second header cut", Reply::text(hexText(Bytes(40, 0x90)))},
    {"second header of another length", Reply::text(hexText(header(0x80, 0x0100)))},
};

TEST_F(TemplateListTest, NetworkListShorterThanItsCountIsNoList) {
    for (const ShortNetworkList& row : kShortNetworkLists) {
        SCOPED_TRACE(row.name);
        SimulatedPrinter p;
        TestFileTransfer t(PORT_NET, &p, KX_C270W, option);
        configure(t, PORT_NET, false);
        p.onOid(kCountOid, {Reply(Bytes{2, 0})});
        std::vector<Reply> texts;
        for (int attempt = 0; attempt < 5; ++attempt) {
            texts.push_back(Reply::text(hexText(templateHeader(1))));
            texts.push_back(row.second);
        }
        p.onOid(kHeaderOid, texts);
        EXPECT_FALSE(t.getTemplateList(list));
        EXPECT_EQ(errorCode(), 6);
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(p.calls(Slot::SendStringReceiveData).size(), 5u);
    }
}

TEST_F(TemplateListTest, OverlongHeaderTextIsRefused) {
    auto t = make(PORT_NET);
    Bytes text = templateHeader(1);
    text.resize(1100, 'A');
    std::vector<unsigned char> decoded;
    EXPECT_FALSE(t->convertByteFromMIB(std::string(text.begin(), text.end()), decoded));
    EXPECT_TRUE(decoded.empty());
    const Bytes fits(text.begin(), text.begin() + 1023);
    EXPECT_TRUE(t->convertByteFromMIB(std::string(fits.begin(), fits.end()), decoded));
    EXPECT_EQ(decoded, fits);
}

namespace {

class RemovalTest : public TemplateListTest {};

}  // namespace

TEST_F(RemovalTest, RemovesTheRequestedKeysThenChecksAgain) {
    auto t = make(PORT_USB);
    printer.queueRecord(Record(listReply({5, 9})));
    printer.queueRecord(Record(listReply({9})));
    const int keys[] = {5, 7};
    EXPECT_TRUE(t->removeTemplate(keys, 2));
    EXPECT_EQ(errorCode(), 1);
    EXPECT_EQ(printer.messages(), (std::vector<int>{34, 32, 33, 14, 15, 32, 33, 35}));
    const auto sends = printer.sentData();
    ASSERT_EQ(sends.size(), 8u);  // start, list, start, removal, header, start, list, start
    EXPECT_EQ(sends[3], kRemoval);
    EXPECT_EQ(sends[4].size(), 64u);
    EXPECT_EQ(sends[4][1], 0x40);
    EXPECT_EQ(sends[4][12], 5);
    EXPECT_EQ(waits.seconds(), (std::vector<long long>{1}));
}

TEST_F(RemovalTest, RemovingTheLastTemplateSucceeds) {
    // Afterwards the printer holds no template: that is the wanted state, not an error.
    auto t = make(PORT_USB);
    printer.queueRecord(Record(listReply({5})));
    printer.queueRecord(Record(Bytes{0, 0}));
    const int keys[] = {5};
    EXPECT_TRUE(t->removeTemplate(keys, 1));
    EXPECT_EQ(errorCode(), 1);
    EXPECT_EQ(printer.messages().back(), 35);
}

TEST_F(RemovalTest, KeysNotFound) {
    auto t = make(PORT_USB);
    printer.queueRecord(Record(listReply({5})));
    const int keys[] = {7};
    // Nothing asked for was there: a failure with its reason, after progress code 35.
    EXPECT_FALSE(t->removeTemplate(keys, 1));
    EXPECT_EQ(errorCode(), 34);
    EXPECT_EQ(printer.calls(Slot::SendData).size(), 3u);  // nothing removed
    EXPECT_EQ(printer.messages().back(), 35);

    printer.queueRecord(Record(listReply({5})));
    EXPECT_FALSE(t->removeTemplate(keys, 0));
    EXPECT_EQ(errorCode(), 34);
}

TEST_F(RemovalTest, BusyPrinter) {
    auto t = make(PORT_USB, true);
    for (int pass = 0; pass < 5; ++pass) {
        printer.queueRecord(Record(listReply({5})));
        for (int attempt = 0; attempt < 3; ++attempt) {
            printer.queueRecord(Record(transferStatus(2, 0x80)));
        }
    }
    const int keys[] = {5};
    EXPECT_FALSE(t->removeTemplate(keys, 1));
    // Still busy after the last pass: reported, not hidden behind error 1.
    EXPECT_EQ(errorCode(), 12);
    const auto w = waits.seconds();
    ASSERT_EQ(w.size(), 30u);
    EXPECT_EQ(std::vector<long long>(w.begin(), w.begin() + 6),
              (std::vector<long long>{1, 1, 1, 1, 1, 3}));
    EXPECT_EQ(printer.calls(Slot::SendData).size(), 5u * (3 + 3 * 2));
}

TEST_F(RemovalTest, BusyPrinterOnTheNetworkPort) {
    // On the network port the attempts follow each other without the 1-second sleep; only
    // the 3 seconds before the next key remain.
    auto t = make(PORT_NET, true);
    const Bytes h = templateHeader(5, "K5");
    printer.onOid(kCountOid, {Reply({1, 0})});
    printer.onOid(kHeaderOid, {Reply::text(std::string(h.begin(), h.end()))});
    printer.onOid("1.3.6.1.2.1.25.3.5.1.1.1", {Reply({3})});  // ready
    printer.onOid("1.3.6.1.4.1.7741.3.3.9.1.6.3.0", {Reply(transferStatus(2, 0x80))});
    const int keys[] = {5};
    EXPECT_FALSE(t->removeTemplate(keys, 1));
    EXPECT_EQ(errorCode(), 12);
    EXPECT_EQ(waits.seconds(), std::vector<long long>(5, 3));
    EXPECT_EQ(printer.calls(Slot::SendData).size(), 5u * (2 + 3 * 2));
}

TEST_F(RemovalTest, NothingIsRemovedAfterAShortNetworkList) {
    auto t = make(PORT_NET);
    printer.onOid(kCountOid, {Reply(Bytes{2, 0})});
    std::vector<Reply> texts;
    for (int attempt = 0; attempt < 5; ++attempt) {
        texts.push_back(Reply::text(hexText(templateHeader(1))));
        texts.push_back(Reply::text(""));
    }
    printer.onOid(kHeaderOid, texts);
    const int keys[] = {1, 2};
    EXPECT_FALSE(t->removeTemplate(keys, 2));
    EXPECT_EQ(errorCode(), 6);
    EXPECT_EQ(printer.sentData(), (std::vector<Bytes>{kStart}));  // the list's own start only
}

TEST_F(RemovalTest, HeaderLengthOtherThan64Or128) {
    auto t = make(PORT_USB);
    Bytes h = templateHeader(1);
    EXPECT_FALSE(t->removeTemplateInPrinter(h.data(), 65));
    EXPECT_EQ(errorCode(), 6);
    EXPECT_TRUE(printer.sentData().empty());
}
