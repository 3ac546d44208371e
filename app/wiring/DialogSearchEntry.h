#pragma once

#include "app/frame/SearchEntry.h"

class QWidget;

namespace kv::app {

// The main window's search entries as the searches' own dialogs: each
// asks, and gives nothing when cancelled.
class DialogSearchEntry final : public SearchEntry {
public:
    // parent: the window the dialogs belong to; not owned.
    explicit DialogSearchEntry(QWidget* parent) : m_parent(parent) {}

    std::optional<int> customerCode() override;
    std::optional<QString> customerReading() override;
    std::optional<int> vehicleCode() override;
    std::optional<QString> plateNumber() override;
    // Deleting records is not offered yet: says so and gives Cancel.
    DeleteChoice chooseDeleteData() override;

private:
    QWidget* m_parent;
};

} // namespace kv::app
