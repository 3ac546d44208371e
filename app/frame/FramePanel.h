#pragma once

#include <QString>

namespace kv::app {

// The customer and vehicle panel as the main window's commands use it.
// Each operation shows its own message when it fails.
class FramePanel {
public:
    virtual ~FramePanel();
    virtual bool ShowCustomer(int code, bool setMode) = 0;
    virtual bool ShowByReading(const QString& reading) = 0;
    virtual bool ShowVehicle(int code, bool setMode) = 0;
    virtual bool ShowByPlate(const QString& number) = 0;
    virtual void ShowOwnedVehicles() = 0;
    virtual void StepCustomer(bool next) = 0;
    virtual void StepVehicle(bool next) = 0;
    // The code reserved for the new record, 0 when none could be.
    virtual int NewCustomer() = 0;
    virtual bool NewVehicle(int* reservedCode) = 0;
    virtual bool RecordNewVehicle() = 0;
    virtual bool RecordCurrent() = 0;
    virtual bool RecordNewCustomer() = 0;
    // True when the customer is gone.
    virtual bool DeleteCustomer() = 0;
    // True when no other vehicle of the customer is left to show.
    virtual bool DeleteVehicle() = 0;
    virtual void SetModeText(int mode) = 0;
};

} // namespace kv::app
