#pragma once

#include "connection/base_printer.h"
#include "connection/print_status_manager.h"

// A BasePrinter whose protected members a test can read and edit after construction
// (for specs no catalogued model has).
class TestPrinter : public BasePrinter {
  public:
    using BasePrinter::BasePrinter;

    PrinterSpec& editSpec() { return spec; }
    Paper& paper() { return currentPaper; }
    Connect* connection() const { return connect; }
    void setConnection(Connect* c) { connect = c; }
    Port portValue() const { return port; }
    Model modelValue() const { return model; }
};

// A status manager over a connection, a hand-built spec and a port.
inline PrintStatusManager makeManager(Connect* connect, PrinterSpec spec, Port port) {
    PrintStatusManager manager;
    manager.connect = connect;
    manager.spec = std::move(spec);
    manager.port = port;
    return manager;
}
