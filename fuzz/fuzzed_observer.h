#pragma once

#include <string>
#include <vector>

#include "connection/communication_observer.h"
#include "fuzz_input.h"

namespace lumeko_fuzz {

// A printer, or a host transport, that answers every call from the fuzzer's bytes: a
// failure, a short, empty or over-long reply, or a count that is negative, zero or larger
// than the buffer. It never writes past the buffer it is given (that bound is the
// transport's contract); everything else may be hostile.
//
// Encoding of one answer (see ObserverScript for the writing side):
// - sendData, sendDataAsynchronous, sendString: one byte, odd = failure.
// - sendDataReceiveData, sendStringReceiveData: mode byte (mod 4): 0 success with the
//   following short bytes written into the reply, 1 failure, 2 failure after writing the
//   following short bytes, 3 success without writing anything.
// - receiveData: mode byte (mod 5): 0 the following short bytes, their count returned;
//   1 returns -1; 2 the following short bytes, then a 32-bit count returned as is; 3 the
//   following short bytes, then a count of length + 1 + one more byte; 4 as 0 with
//   16-bit-length bytes.
// - sendStringReceiveString: mode byte (mod 3): 0 success with the following 16-bit-length
//   text, 1 failure, 2 failure after setting the text.
// - isAliveSendTask: one byte, odd = still sending (at most 64 times in a row).
// - sendMessage and resetPrinterResultErrorCodeIfCommunicationError read nothing and
//   answer true (a progress message refused with refuseAtCall answers false).
class FuzzedObserver : public CommunicationObserver {
  public:
    enum class Slot {
        SendData,
        SendDataAsynchronous,
        SendDataReceiveData,
        ReceiveData,
        SendString,
        SendStringReceiveData,
        SendStringReceiveString,
        SendMessage,
        IsAliveSendTask,
        Reset,
    };
    struct Call {
        Slot slot;
        std::vector<unsigned char> sent;
        int result;  // bool as 0/1, or the count returned
    };

    explicit FuzzedObserver(FuzzInput& input) : in_(input) {}

    // Sets the cancel flag (and error code 37, as the cancel call does) at the start of
    // call number `n` (1-based; 0 never).
    void cancelAtCall(int n) { cancelAt_ = n; }
    // Refuses call number `n` when it is a progress message: answers false and leaves error
    // code 40, as the host's observer does (1-based; 0 never).
    void refuseAtCall(int n) { refuseAt_ = n; }
    // The call at which a cancel or a refusal reached the operation (0: none did).
    int stopCall() const;

    const std::vector<Call>& calls() const { return calls_; }
    const std::vector<int>& messages() const { return messages_; }
    // True when any transport call failed (false, or a negative count).
    bool anyFailure() const;

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
    void begin(Slot slot, const unsigned char* data, int length);
    void end(int result) { calls_.back().result = result; }
    static void writeBounded(const std::vector<unsigned char>& bytes, unsigned char* buffer,
                             int length);

    FuzzInput& in_;
    int cancelAt_ = 0;
    int refuseAt_ = 0;
    int aliveRun_ = 0;
    std::vector<Call> calls_;
    std::vector<int> messages_;
};

// Writes the answers FuzzedObserver reads, for seeds.
class ObserverScript {
  public:
    explicit ObserverScript(SeedWriter& w) : w_(w) {}
    ObserverScript& sent() { return one(0); }       // sendData and friends: true
    ObserverScript& sendFails() { return one(1); }  // sendData and friends: false
    ObserverScript& exchange(const std::vector<unsigned char>& reply) {  // slots 3 and 6
        w_.u8(0).shortBytes(reply);
        return *this;
    }
    ObserverScript& exchangeFails() { return one(1); }
    ObserverScript& record(const std::vector<unsigned char>& bytes) {  // receiveData
        if (bytes.size() > 255) {
            w_.u8(4).longBytes(bytes);
        } else {
            w_.u8(0).shortBytes(bytes);
        }
        return *this;
    }
    ObserverScript& recordCount(const std::vector<unsigned char>& bytes, int count) {
        w_.u8(2).shortBytes(bytes).i32(count);
        return *this;
    }
    ObserverScript& receiveFails() { return one(1); }
    ObserverScript& text(const std::string& s) {  // sendStringReceiveString
        w_.u8(0).longText(s);
        return *this;
    }
    ObserverScript& alive(bool stillSending) { return one(stillSending ? 1 : 0); }

  private:
    ObserverScript& one(unsigned v) {
        w_.u8(v);
        return *this;
    }
    SeedWriter& w_;
};

}  // namespace lumeko_fuzz
