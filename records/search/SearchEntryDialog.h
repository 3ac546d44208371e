#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace kv {
class CEditEx;
}

namespace kv::records::search {

// The small modal dialog of a search: a caption, a label, one field and
// "検索(Enter)" / "中止(Esc)". Enter in the field moves to the search button,
// Enter there searches; a value the dialog refuses keeps it open with the
// field focused.
class SearchEntryDialog : public QDialog {
    Q_OBJECT
public:
    QString text() const;
    CEditEx* field() const { return m_field; }
    QPushButton* searchButton() const { return m_search; }

    void accept() override;

protected:
    SearchEntryDialog(const QString& caption, const QString& label, CEditEx* field,
                      QWidget* parent);
    // Whether the text may be searched for; shows the refusal itself.
    virtual bool acceptText(const QString& text) = 0;

private:
    CEditEx* m_field;
    QPushButton* m_search;
};

} // namespace kv::records::search
