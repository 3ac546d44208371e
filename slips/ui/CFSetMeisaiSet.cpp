#include "slips/ui/CFSetMeisaiSet.h"

#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "masters/core/SetRules.h"

#include <QGridLayout>
#include <QLabel>

namespace kv::slips {

CFSetMeisaiSet::CFSetMeisaiSet(QWidget* parent)
    : QWidget(parent),
      m_code(new CNumericEditEx(this)),
      m_name(new CEditEx(this)),
      m_reading(new CEditEx(this)),
      m_count(new QLabel(this))
{
    m_code->setObjectName(QStringLiteral("setCode"));
    m_code->setInputMode(CEditEx::InputMode::Direct);
    m_code->setMaxLength(3);
    m_name->setObjectName(QStringLiteral("setName"));
    m_name->setInputMode(CEditEx::InputMode::Japanese);
    m_name->setByteLimit(masters::SetRules::kNameBytes);
    m_reading->setObjectName(QStringLiteral("setReading"));
    m_reading->setInputMode(CEditEx::InputMode::HalfWidthKana);
    m_reading->setMaxLength(masters::SetRules::kReadingCharacters);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("ｾｯﾄｺｰﾄﾞ"), this), 0, 0);
    layout->addWidget(m_code, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("０ = 一番若い未使用コード"), this), 0, 2);
    layout->addWidget(m_count, 0, 3, Qt::AlignRight);
    layout->addWidget(new QLabel(QStringLiteral("ｾｯﾄ名"), this), 1, 0);
    layout->addWidget(m_name, 1, 1, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("ﾌ ﾘ ｶﾞﾅ"), this), 2, 0);
    layout->addWidget(m_reading, 2, 1);
    layout->setColumnStretch(2, 1);
    setTabOrder(m_code, m_name);
    setTabOrder(m_name, m_reading);
}

} // namespace kv::slips
