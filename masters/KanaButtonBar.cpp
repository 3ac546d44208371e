#include "masters/KanaButtonBar.h"

#include "masters/core/KanaIndex.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>

namespace kv::masters {

KanaButtonBar::KanaButtonBar(Captions captions, QWidget* parent)
    : QWidget(parent), m_group(new QButtonGroup(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_group->setExclusive(true);
    for (int index = 0; index < KanaIndex::kCount; ++index) {
        auto* button = new QPushButton(captions == Captions::Dialog
                                           ? KanaIndex::dialogCaption(index)
                                           : KanaIndex::pickListCaption(index),
                                       this);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        m_group->addButton(button, index);
        layout->addWidget(button);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &KanaButtonBar::chosen);
}

void KanaButtonBar::press(int button)
{
    if (QAbstractButton* pressedButton = m_group->button(button))
        pressedButton->setChecked(true);
}

int KanaButtonBar::pressed() const
{
    return m_group->checkedId();
}

QAbstractButton* KanaButtonBar::button(int index) const
{
    return m_group->button(index);
}

} // namespace kv::masters
