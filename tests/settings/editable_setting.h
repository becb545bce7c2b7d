#pragma once

#include "catalogue/model.h"
#include "catalogue/port.h"
#include "catalogue/printer_spec.h"
#include "connection/communication_observer.h"
#include "settings/cws_connect.h"
#include "settings/printer_setting.h"

// A CWSConnect whose spec a test can change.
class TestCWSConnect : public CWSConnect {
  public:
    using CWSConnect::CWSConnect;
    PrinterSpec& editSpec() { return spec; }
};

// A PrinterSetting whose spec (its own and its transport's) a test can change.
class TestPrinterSetting : public PrinterSetting {
  public:
    TestPrinterSetting(Port onPort, CommunicationObserver* observer, Model forModel)
        : PrinterSetting(onPort, observer, forModel) {
        delete cwsConnect;
        transport_ = new TestCWSConnect(onPort, observer, forModel);
        cwsConnect = transport_;
    }
    // Applies edit to both specs.
    template <typename Edit>
    void editSpecs(Edit edit) {
        edit(spec);
        edit(transport_->editSpec());
    }
    CWSConnect& transport() { return *transport_; }

  private:
    TestCWSConnect* transport_ = nullptr;
};
