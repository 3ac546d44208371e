#pragma once

#include <QString>

#include <optional>

namespace kv::app {

// The entry dialogs of the main window's searches and of the deletion
// chooser; nothing when the user cancels.
class SearchEntry {
public:
    enum class DeleteChoice { Cancel, Customer, Vehicle };
    virtual ~SearchEntry();
    virtual std::optional<int> customerCode() = 0;
    virtual std::optional<QString> customerReading() = 0;
    virtual std::optional<int> vehicleCode() = 0;
    virtual std::optional<QString> plateNumber() = 0;
    virtual DeleteChoice chooseDeleteData() = 0;
};

} // namespace kv::app
