#pragma once

#include "reports/core/CustomerSelection.h"

#include <QGroupBox>

#include <optional>

class QRadioButton;

namespace kv {
class CEditEx;
class CNumericEditEx;
} // namespace kv

namespace kv::reports {

// The pages to print, 1 to 999999 each (defaults 1 and 999999).
class PageRangeGroup final : public QGroupBox {
    Q_OBJECT
public:
    explicit PageRangeGroup(QWidget* parent = nullptr);

    CNumericEditEx* fromField() const { return m_from; }
    CNumericEditEx* toField() const { return m_to; }
    int from() const;
    int to() const;
    // The limits of both fields, then the range must not end below its
    // start; false after the message, the focus on the field to correct.
    bool check();

private:
    CNumericEditEx* m_from;
    CNumericEditEx* m_to;
};

// Which customers a report takes: code order with a code range, or reading
// order with a range of readings (half-width katakana, 20 bytes each). The
// range of the chosen order is the one open for input.
class CustomerRangeGroup final : public QGroupBox {
    Q_OBJECT
public:
    explicit CustomerRangeGroup(QWidget* parent = nullptr);

    QRadioButton* codeOrderButton() const { return m_codeOrder; }
    QRadioButton* readingOrderButton() const { return m_readingOrder; }
    CNumericEditEx* codeFromField() const { return m_codeFrom; }
    CNumericEditEx* codeToField() const { return m_codeTo; }
    CEditEx* readingFromField() const { return m_readingFrom; }
    CEditEx* readingToField() const { return m_readingTo; }

    CustomerSelection::Order order() const;
    // Whether the order and the range can be changed at all (some outputs
    // take no customers).
    void setChoiceEnabled(bool enabled);
    // The field limits, then the code range and the reading range; false
    // after the message, the focus on the field to correct. The greeting
    // flags are the caller's.
    std::optional<CustomerSelection> checkedSelection();

signals:
    void orderChanged();

private:
    void applyEnabling();

    QRadioButton* m_codeOrder;
    QRadioButton* m_readingOrder;
    CNumericEditEx* m_codeFrom;
    CNumericEditEx* m_codeTo;
    CEditEx* m_readingFrom;
    CEditEx* m_readingTo;
    bool m_choiceEnabled = true;
};

} // namespace kv::reports
