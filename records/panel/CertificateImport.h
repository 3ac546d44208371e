#pragma once

#include "records/certificate/CertificateData.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace kv::data {
class DataStore;
class SettingsStore;
} // namespace kv::data

namespace kv::records {

class CFMainPanel;
struct CertificateChange;

// Takes an inspection certificate into the panel: the reader
// application's file (chosen, or dropped onto the panel) or the paper
// certificate's scanned codes. It brings up the vehicle the certificate is
// about (by chassis number, else by plate) or offers a new one, lists the
// fields that would change for confirmation and fills the ticked ones in
// as if typed, through the fields' own checks. Nothing is recorded: that
// stays with F12.
class CertificateImport : public QObject {
    Q_OBJECT
public:
    // What the frame does for the import: show a vehicle as a search does,
    // prepare a new vehicle for the shown customer (F11) or a new customer
    // (F10); each false when it did not.
    struct Flows {
        std::function<bool(int vehicleCode)> showVehicle;
        std::function<bool()> newVehicle;
        std::function<bool()> newCustomer;
        std::function<int()> mode;
        // Whether the panel takes a certificate now (not while it is the
        // query form); empty for always.
        std::function<bool()> available;
    };

    CertificateImport(CFMainPanel& panel, data::DataStore& store, data::SettingsStore& settings,
                      Flows flows);
    ~CertificateImport() override;

    // The command: a file chooser, then importFile.
    void chooseFile();
    // The "QR読取" window, then the same confirmation.
    void readCodes();
    bool importFile(const QString& path);
    bool importData(const CertificateData& data);
    // A new customer was recorded (F12): one made from a certificate goes
    // on to that certificate's vehicle, once the frame has its mode again.
    void customerRecorded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool bringUpVehicle(const CertificateData& data);
    bool confirmAndFill(const CertificateData& data);
    bool fill(const CertificateChange& change);
    void continueWithVehicle();

    CFMainPanel& m_panel;
    data::DataStore& m_store;
    data::SettingsStore& m_settings;
    Flows m_flows;
    // The certificate whose owner became a new customer, waiting for F12.
    std::optional<CertificateData> m_pendingVehicle;
    int m_pendingCustomer = 0;
};

} // namespace kv::records
