#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kv {
class CEditEx;
class FieldVerdict;
}

namespace kv::data {
class SettingsStore;
}

namespace kv::masters {

class FontChooser;

// The shop's own details (自社情報) of "004.dat": read again when the
// dialog opens; recording checks both rates, writes the file and tells the
// other computers. The invoice registration number is kept in a file of its
// own, recorded and announced with the details. Both telephone lines are entered here: nothing else fills the first.
class CDSetJisya : public QDialog {
    Q_OBJECT
public:
    static QString updateKind(); // "自社情報"

    CDSetJisya(data::SettingsStore& settings, FontChooser& fonts, QWidget* parent = nullptr);
    ~CDSetJisya() override;

    CEditEx* businessEdit() const { return m_business; }
    CEditEx* shopNameEdit() const { return m_shopName; }
    QLineEdit* fontEdit() const { return m_font; }
    QPushButton* fontButton() const { return m_fontButton; }
    CEditEx* addressEdit(int line) const { return line == 0 ? m_address1 : m_address2; }
    CEditEx* telephoneEdit(int line) const { return line == 0 ? m_tel1 : m_tel2; }
    QPlainTextEdit* noticeEdit() const { return m_notice; }
    CEditEx* labourRateEdit() const { return m_labourRate; }
    CEditEx* bodyWorkRateEdit() const { return m_bodyWorkRate; }
    CEditEx* registrationEdit() const { return m_registration; }
    QPushButton* recordButton() const { return m_record; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    void buildLayout();
    void showDetails();
    void onFont();
    void onRecord();
    CEditEx* rateEdit(int* held);
    FieldVerdict checkRegistration(const QString& text);

    data::SettingsStore& m_settings;
    FontChooser& m_fonts;
    int m_labour = 0;
    int m_bodyWork = 0;
    // The number last accepted, so that a kept number failing its check
    // digit is not questioned again on every exit.
    QString m_acceptedRegistration;
    CEditEx* m_business = nullptr;
    CEditEx* m_shopName = nullptr;
    QLineEdit* m_font = nullptr;
    QPushButton* m_fontButton = nullptr;
    CEditEx* m_address1 = nullptr;
    CEditEx* m_address2 = nullptr;
    CEditEx* m_tel1 = nullptr;
    CEditEx* m_tel2 = nullptr;
    CEditEx* m_bankAccount = nullptr;
    QPlainTextEdit* m_notice = nullptr;
    CEditEx* m_labourRate = nullptr;
    CEditEx* m_bodyWorkRate = nullptr;
    CEditEx* m_registration = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace kv::masters
