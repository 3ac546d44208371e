#pragma once

#include "slips/core/SlipPhotos.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace kv::slips {

// The photos of one slip line: their thumbnails, the chosen one large,
// adding image files from disk and taking photos off the line. Works on
// the slip's work copies; the line's column is read back with photos().
class CDPhoto : public QDialog {
    Q_OBJECT
public:
    CDPhoto(const SlipPhotos& photos, int row, const QString& column, QWidget* parent = nullptr);

    const QString& photos() const { return m_column; }

    static QString imageFilter() { return QStringLiteral("画像ファイル (*.jpg *.jpeg *.png *.bmp *.gif)"); }

private:
    void addPhotos();
    void removePhoto();
    void showChosen();
    void fillList();

    const SlipPhotos& m_photos;
    QString m_column;
    QListWidget* m_list;
    QLabel* m_view;
    QPushButton* m_remove;
};

} // namespace kv::slips
