#include "records/recording/CDSelectDeleteData.h"

#include "records/RecordingTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv::records {

CDSelectDeleteData::CDSelectDeleteData(QWidget* parent)
    : QDialog(parent)
    , m_customer(new QRadioButton(RecordingTexts::chooserCustomer, this))
    , m_vehicle(new QRadioButton(RecordingTexts::chooserVehicle, this))
{
    setWindowTitle(RecordingTexts::chooserTitle);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(RecordingTexts::chooserText, this));
    layout->addWidget(m_customer);
    layout->addWidget(m_vehicle);
    m_vehicle->setChecked(true);

    auto* buttons = new QHBoxLayout;
    auto* remove = new QPushButton(RecordingTexts::chooserDelete, this);
    auto* cancel = new QPushButton(RecordingTexts::chooserCancel, this);
    remove->setDefault(true);
    buttons->addWidget(remove);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(remove, &QPushButton::clicked, this,
            [this] { done(m_customer->isChecked() ? Customer : Vehicle); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_vehicle->setFocus();
}

} // namespace kv::records
