#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "connection/communication_observer.h"

// A scriptable printer behind the observer interface, written from the observer contract
// and from what a printer answers. It records every call, answers from rules or from an
// ordered script, and injects faults on request.
//
// Defaults: sendData, sendDataAsynchronous, sendString, sendMessage and
// resetPrinterResultErrorCodeIfCommunicationError answer true; isAliveSendTask answers
// false. An exchange (slots 3, 6, 7) without a matching rule, and a receiveData with
// nothing queued and no default record, fail the exchange and the test.
class SimulatedPrinter : public CommunicationObserver {
  public:
    enum class Slot {
        SendData = 1,
        SendDataAsynchronous,
        SendDataReceiveData,
        ReceiveData,
        SendString,
        SendStringReceiveData,
        SendStringReceiveString,
        SendMessage,
        IsAliveSendTask,
        ResetPrinterResultErrorCode,
    };

    // One answer to an exchange.
    struct Reply {
        Reply() = default;
        Reply(std::vector<unsigned char> replyBytes) : bytes(std::move(replyBytes)) {}
        static Reply failure() {
            Reply r;
            r.ok = false;
            return r;
        }
        // true without writing anything into the reply buffer.
        static Reply silent() {
            Reply r;
            r.write = false;
            return r;
        }
        static Reply text(std::string s) {
            Reply r;
            r.textReply = std::move(s);
            return r;
        }

        bool ok = true;
        bool write = true;
        std::vector<unsigned char> bytes;  // written up to the reply length asked for
        std::string textReply;             // sendStringReceiveString
    };

    // One record for receiveData: its bytes (at most `length` of them are written) and the
    // count to return (default: the number of bytes written).
    struct Record {
        Record() = default;
        Record(std::vector<unsigned char> recordBytes) : bytes(std::move(recordBytes)) {}
        static Record withCount(std::vector<unsigned char> recordBytes, int resultCount) {
            Record r(std::move(recordBytes));
            r.count = resultCount;
            r.hasCount = true;
            return r;
        }
        std::vector<unsigned char> bytes;
        int count = 0;
        bool hasCount = false;
    };

    // One step of an ordered script: the slot expected, optionally the exact bytes or text
    // expected, and the answer.
    struct Step {
        Slot slot = Slot::SendData;
        bool checkSent = false;
        std::vector<unsigned char> sent;
        std::string request;  // compared when not empty
        Reply reply;
        Record record;  // ReceiveData
    };

    // Everything one call carried.
    struct Call {
        Slot slot = Slot::SendData;
        std::vector<unsigned char> bytes;    // bytes handed over (send slots)
        std::string request;                 // text of the string slots
        int length = 0;                      // reply length or receive length
        bool flag = false;                   // receiveData
        int code = 0;                        // sendMessage
        int result = 0;                      // bool as 0/1, or the count
        std::vector<unsigned char> written;  // bytes written into the caller's buffer
    };

    SimulatedPrinter() = default;
    ~SimulatedPrinter() override;

    // ---- answers
    // sendDataReceiveData whose bytes start with prefix; replies are used in turn and the
    // last one repeats. Later rules with the same prefix replace earlier ones; the longest
    // matching prefix wins.
    void onExchange(std::vector<unsigned char> prefix, std::vector<Reply> replies);
    // sendStringReceiveData / sendStringReceiveString with exactly this request.
    void onOid(const std::string& oid, std::vector<Reply> replies);
    // Records for receiveData, used once each in order.
    void queueRecord(Record record);
    // Used by receiveData when the queue is empty.
    void setDefaultRecord(std::vector<unsigned char> bytes);
    // Answer of sendData (default true).
    void setSendDataResult(bool result) { sendDataResult_ = result; }
    void setAliveSendTask(bool alive) { aliveSendTask_ = alive; }
    // Ordered script mode: once set, every transfer call (slots 1 to 7) must match the next
    // step; a call that does not fails its exchange and the test. Progress codes,
    // isAliveSendTask and the error reset stay outside the script.
    void script(std::vector<Step> steps);
    bool scriptDone() const { return scriptPosition_ == script_.size(); }

    // ---- faults
    // The n-th call overall (1-based) fails: false, or -1 for receiveData.
    void failCall(int n) { failOverall_.push_back(n); }
    // The n-th call of one slot (1-based) fails.
    void failSlotCall(Slot slot, int n) { failBySlot_[slot].push_back(n); }
    // On every failure the simulated host stores this error code, as the host's own
    // implementation does (0: stores nothing).
    void setOwnErrorCode(int code) { ownErrorCode_ = code; }
    // Runs hook at the start of the k-th call overall, or of the k-th call of one slot.
    void onCall(int k, std::function<void()> hook) { hooks_[k] = std::move(hook); }
    void onSlotCall(Slot slot, int k, std::function<void()> hook) {
        slotHooks_[slot][k] = std::move(hook);
    }

    // ---- record
    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Call> calls(Slot slot) const;
    const std::vector<int>& messages() const { return messages_; }
    // The bytes of every sendData call, in order, one vector each.
    std::vector<std::vector<unsigned char>> sentData() const;
    // Instances destroyed so far (process-wide).
    static int destroyedCount() { return destroyed_; }

    // ---- CommunicationObserver
    bool sendData(int length, unsigned char* data) override;
    bool sendDataAsynchronous(int length, unsigned char* data) override;
    bool sendDataReceiveData(int length, unsigned char* data, int replyLength,
                             unsigned char* reply) override;
    int receiveData(int length, unsigned char* buffer, bool flag) override;
    bool sendString(std::string text) override;
    bool sendStringReceiveData(std::string request, int replyLength, unsigned char* reply) override;
    bool sendStringReceiveString(std::string request, std::string& reply) override;
    bool sendMessage(int code) override;
    bool isAliveSendTask() override;
    bool resetPrinterResultErrorCodeIfCommunicationError() override;

  private:
    struct Rule {
        std::vector<Reply> replies;
        size_t next = 0;
    };

    // Starts a call: records it, runs hooks; true when the call must fail.
    bool begin(Call& call);
    void finish(Call& call);
    // A send without a reply: fails as begin says, else as the script's step says, else
    // answers unscriptedResult; records the call.
    bool plainSend(Call& call, bool unscriptedResult);
    // The next answer of the rule for the call's request, or null (the test fails and the
    // host's own error code is stored) when there is none.
    const Reply* oidAnswer(const Call& call);
    const Step* nextStep(const Call& call);
    static const Reply& take(Rule& rule);
    void storeOwnError() const;
    bool writeReply(const Reply& reply, int replyLength, unsigned char* buffer, Call& call);

    std::map<std::vector<unsigned char>, Rule> exchangeRules_;
    std::map<std::string, Rule> oidRules_;
    std::deque<Record> records_;
    bool hasDefaultRecord_ = false;
    std::vector<unsigned char> defaultRecord_;
    bool sendDataResult_ = true;
    bool aliveSendTask_ = false;
    std::vector<Step> script_;
    size_t scriptPosition_ = 0;
    bool scripted_ = false;

    std::vector<int> failOverall_;
    std::map<Slot, std::vector<int>> failBySlot_;
    int ownErrorCode_ = 0;
    std::map<int, std::function<void()>> hooks_;
    std::map<Slot, std::map<int, std::function<void()>>> slotHooks_;

    std::vector<Call> calls_;
    std::map<Slot, int> slotCounts_;
    std::vector<int> messages_;
    static int destroyed_;
};

const char* slotName(SimulatedPrinter::Slot slot);
