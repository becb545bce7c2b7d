#pragma once

#include <string>

// The transport of every byte to and from the printer. The host bridge implements it on
// top of the host's callbacks; the library never opens a device itself. The slot order
// below is part of the interface: keep it.
//
// An implementation may store an error code of its own when the host side fails; callers
// set error code 6 for a false result (or a negative count) whatever it stored.
class CommunicationObserver {
  public:
    virtual ~CommunicationObserver() = default;

    // 1. true: the bytes were handed to the printer.
    virtual bool sendData(int length, unsigned char* data) = 0;
    // 2. true: sending has started and may still run (see isAliveSendTask). The bytes are
    //    valid only during this call: the observer copies what it still needs before it
    //    returns, since the caller may free them as soon as the call is back.
    virtual bool sendDataAsynchronous(int length, unsigned char* data) = 0;
    // 3. true: the command was sent and exactly replyLength bytes are in reply.
    virtual bool sendDataReceiveData(int length, unsigned char* data, int replyLength,
                                     unsigned char* reply) = 0;
    // 4. Bytes placed in buffer (at most length); negative on failure. flag goes to the
    //    transport unchanged.
    virtual int receiveData(int length, unsigned char* buffer, bool flag) = 0;
    // 5. true: sent.
    virtual bool sendString(std::string text) = 0;
    // 6. A query named by a text (an SNMP object identifier, network port only); true:
    //    replyLength bytes are in reply.
    virtual bool sendStringReceiveData(std::string request, int replyLength,
                                       unsigned char* reply) = 0;
    // 7. As 6 with a text reply.
    virtual bool sendStringReceiveString(std::string request, std::string& reply) = 0;
    // 8. A progress code for the host; callers ignore the result.
    virtual bool sendMessage(int code) = 0;
    // 9. true while a send started by sendDataAsynchronous is still running.
    virtual bool isAliveSendTask() = 0;
    // 10. Asks the host to forget a communication error of its own; result ignored.
    virtual bool resetPrinterResultErrorCodeIfCommunicationError() = 0;
};
