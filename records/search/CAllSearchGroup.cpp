#include "records/search/CAllSearchGroup.h"

#include "records/search/SearchProfile.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv::records::search {

CAllSearchGroup::CAllSearchGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("全検索"), parent)
    , m_customers(new QRadioButton(QStringLiteral("顧客"), this))
    , m_vehicles(new QRadioButton(QStringLiteral("車輌"), this))
    , m_and(new QRadioButton(QStringLiteral("AND"), this))
    , m_or(new QRadioButton(QStringLiteral("OR"), this))
{
    // Two groups of two: each pair is exclusive on its own.
    auto* targets = new QButtonGroup(this);
    targets->addButton(m_customers, 0);
    targets->addButton(m_vehicles, 1);
    auto* joiners = new QButtonGroup(this);
    joiners->addButton(m_and, 0);
    joiners->addButton(m_or, 1);
    m_customers->setChecked(true);
    m_and->setChecked(true);
    connect(targets, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit targetChanged(id);
    });
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(m_customers);
    targetRow->addWidget(m_vehicles);
    auto* joinerRow = new QHBoxLayout;
    joinerRow->addWidget(m_and);
    joinerRow->addWidget(m_or);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(targetRow);
    layout->addLayout(joinerRow);
}

void CAllSearchGroup::preset(const SearchProfile& profile)
{
    (profile.queryTarget() == 1 ? m_vehicles : m_customers)->setChecked(true);
    (profile.queryJoiner() == 1 ? m_or : m_and)->setChecked(true);
}

int CAllSearchGroup::target() const
{
    return m_vehicles->isChecked() ? 1 : 0;
}

int CAllSearchGroup::joiner() const
{
    return m_or->isChecked() ? 1 : 0;
}

} // namespace kv::records::search
