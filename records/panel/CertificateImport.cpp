#include "records/panel/CertificateImport.h"

#include "records/PanelMode.h"
#include "records/certificate/CertificateFile.h"
#include "records/certificate/CertificateMapping.h"
#include "records/certificate/CertificateVehicleFinder.h"
#include "records/panel/CDCertificateConfirm.h"
#include "records/panel/CDQrRead.h"
#include "records/panel/CFMainPanel.h"

#include "common/MessageGateway.h"
#include "controls/CComboBoxEn.h"
#include "controls/CEditEx.h"
#include "controls/FileChooser.h"
#include "data/settings/SettingsStore.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace kv::records {
namespace {

const QString kTitle = QStringLiteral("車検証読込");
const QString kNewVehicle = QStringLiteral(
    "車検証の車輌は登録されていません！\n表示中の顧客の車輌として新規に作成しますか？");
const QString kNewCustomer = QStringLiteral(
    "車検証の車輌は登録されていません！\n所有者・使用者から顧客を新規に作成しますか？\n"
    "(車輌は顧客を記録(F12)した後に続けて作成します)");
const QString kThenVehicle =
    QStringLiteral("続けて車検証の車輌をこの顧客の車輌として新規に作成しますか？");
const QString kUnreadable = QStringLiteral("車検証の次の項目は値が異常なため読み込みません！\n%1");
const QString kNothingNew = QStringLiteral("車検証の内容は表示中のデータと同じです！");

// The one local file a drop carries, or empty.
QString droppedFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

CertificateImport::CertificateImport(CFMainPanel& panel, data::DataStore& store,
                                     data::SettingsStore& settings, Flows flows)
    : m_panel(panel), m_store(store), m_settings(settings), m_flows(std::move(flows))
{
    m_panel.setAcceptDrops(true);
    // A field would take the file's name as text: the file is caught first.
    m_panel.installEventFilter(this);
    for (QWidget* child : m_panel.findChildren<QWidget*>())
        child->installEventFilter(this);
}

CertificateImport::~CertificateImport()
{
    for (QWidget* child : m_panel.findChildren<QWidget*>())
        child->removeEventFilter(this);
    m_panel.removeEventFilter(this);
    m_panel.setAcceptDrops(false);
}

bool CertificateImport::eventFilter(QObject*, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = droppedFile(drop->mimeData());
    if (path.isEmpty() || (m_flows.available && !m_flows.available()))
        return false;
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        // The drag's source waits for the drop to end: the windows open after.
        QMetaObject::invokeMethod(this, [this, path] { importFile(path); }, Qt::QueuedConnection);
    }
    return true;
}

void CertificateImport::chooseFile()
{
    const QString path = fileChooser().openFile(m_panel.window(), kTitle, QDir::homePath(),
                                                QStringLiteral("車検証ファイル (*.json);;すべてのファイル (*)"));
    if (!path.isEmpty())
        importFile(path);
}

void CertificateImport::readCodes()
{
    CDQrRead window(m_panel.window());
    if (window.exec() == QDialog::Accepted)
        importData(window.data());
}

bool CertificateImport::importFile(const QString& path)
{
    const CertificateFile::Result read = CertificateFile::read(path);
    if (!read.ok) {
        showMessage(read.message);
        return false;
    }
    if (!read.warning.isEmpty())
        showMessage(read.warning);
    return importData(read.data);
}

bool CertificateImport::bringUpVehicle(const CertificateData& data)
{
    const int mode = m_flows.mode();
    // A record being entered takes the certificate as it is.
    if (mode == PanelMode::NewCustomer || mode == PanelMode::NewVehicle)
        return true;
    const CertificateVehicleFinder::Found found = CertificateVehicleFinder(m_store).find(data);
    if (found.vehicleCode != 0) {
        if (found.vehicleCode == m_panel.shownVehicleCode() && m_panel.vehicleGroupEnabled())
            return true;
        return m_flows.showVehicle(found.vehicleCode);
    }
    if (m_panel.shownCustomerCode() != 0 && m_panel.customerGroupEnabled()) {
        if (!askYesNo(kNewVehicle, false))
            return false;
        return m_flows.newVehicle();
    }
    if (!askYesNo(kNewCustomer, false) || !m_flows.newCustomer())
        return false;
    m_pendingVehicle = data;
    m_pendingCustomer = m_panel.shownCustomerCode();
    return true;
}

bool CertificateImport::importData(const CertificateData& data)
{
    m_pendingVehicle.reset();
    if (!data.unreadable.isEmpty())
        showMessage(kUnreadable.arg(data.unreadable.join(QLatin1Char('\n'))));
    if (!bringUpVehicle(data))
        return false;
    if (confirmAndFill(data))
        return true;
    m_pendingVehicle.reset();
    return false;
}

void CertificateImport::customerRecorded()
{
    if (!m_pendingVehicle)
        return;
    // The frame sets its mode after the recording returns.
    QMetaObject::invokeMethod(this, &CertificateImport::continueWithVehicle, Qt::QueuedConnection);
}

void CertificateImport::continueWithVehicle()
{
    const std::optional<CertificateData> data = std::move(m_pendingVehicle);
    m_pendingVehicle.reset();
    if (!data || m_pendingCustomer == 0 || m_panel.shownCustomerCode() != m_pendingCustomer
        || !PanelMode::isSearchMode(m_flows.mode()))
        return;
    if (!askYesNo(kThenVehicle, false) || !m_flows.newVehicle())
        return;
    confirmAndFill(*data);
}

bool CertificateImport::confirmAndFill(const CertificateData& data)
{
    const CertificateLists lists{
        m_settings.vehicleClasses().entries(), m_settings.vehicleUses().entries(),
        m_settings.bodyShapes().entries(), m_settings.makes().entries(),
        m_settings.fuels().entries()};
    const std::vector<CertificateChange> changes = CertificateMapping::changes(
        data, m_panel.heldValues(), lists,
        {.customer = m_panel.customerGroupEnabled(), .vehicle = m_panel.vehicleGroupEnabled()});
    if (changes.empty()) {
        showMessage(kNothingNew, MessageGateway::Icon::Information);
        return true;
    }
    CDCertificateConfirm confirm(changes, m_panel.window());
    if (confirm.exec() != QDialog::Accepted)
        return false;
    for (const CertificateChange& change : confirm.ticked()) {
        if (!fill(change))
            return false;
    }
    m_panel.heldValues();
    return true;
}

bool CertificateImport::fill(const CertificateChange& change)
{
    QWidget* widget = m_panel.fieldWidget(change.field);
    if (change.eraField != PanelField::Count) {
        if (auto* era = qobject_cast<CComboBoxEn*>(m_panel.fieldWidget(change.eraField)))
            era->setCurrentIndex(change.index);
    }
    if (auto* combo = qobject_cast<CComboBoxEn*>(widget)) {
        combo->setCurrentIndex(change.index);
        return true;
    }
    auto* edit = qobject_cast<CEditEx*>(widget);
    if (!edit)
        return true;
    edit->setText(change.text);
    // As if typed and left: the field's check, then what leaving it does.
    return edit->finishEditing();
}

} // namespace kv::records
