#pragma once

#include <QComboBox>

namespace kv {

// The combo box of forms (eras, honorifics, vehicle pick lists): Enter and
// Tab move on instead of choosing, Esc ends the dialog it sits in.
class CComboBoxEn : public QComboBox {
    Q_OBJECT
public:
    explicit CComboBoxEn(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
};

} // namespace kv
