#pragma once

#include "masters/core/LabelSettings.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kv {
class CEditEx;
}

namespace kv::data {
class CCarMaintenanceDoc;
}

namespace kv::masters {

class FontChooser;

// The label settings: the label sheet (maker and product number of the
// table Seal), the label font and the sheet's offsets. Recording checks the
// sheet first, then writes "003.dat", the printer's position file and the
// profile and tells the other computers ("印字").
class CDSetSeal : public QDialog {
    Q_OBJECT
public:
    static QString updateKind(); // "印字"

    CDSetSeal(data::CCarMaintenanceDoc& document, FontChooser& fonts, QWidget* parent = nullptr);
    ~CDSetSeal() override;

    QLineEdit* fontEdit() const { return m_fontText; }
    QComboBox* makerCombo() const { return m_makers; }
    QComboBox* productCombo() const { return m_products; }
    CEditEx* horizontalEdit() const { return m_horizontal; }
    CEditEx* verticalEdit() const { return m_vertical; }
    QPushButton* fontButton() const { return m_fontButton; }
    QPushButton* recordButton() const { return m_record; }

private:
    CEditEx* offsetEdit(int* held);
    void fillProducts(const QString& selected);
    void onFont();
    void onRecord();

    data::CCarMaintenanceDoc& m_document;
    FontChooser& m_fonts;
    LabelSheets m_sheets;
    LabelProfile m_profile;
    int m_horizontalTenths = 0;
    int m_verticalTenths = 0;
    QLineEdit* m_fontText = nullptr;
    QComboBox* m_makers = nullptr;
    QComboBox* m_products = nullptr;
    CEditEx* m_horizontal = nullptr;
    CEditEx* m_vertical = nullptr;
    QPushButton* m_fontButton = nullptr;
    QPushButton* m_record = nullptr;
};

} // namespace kv::masters
