#pragma once

#include "app/frame/CMainFrame.h"
#include "app/frame/DocumentFrameRecords.h"
#include "app/wiring/PanelFrameBridge.h"

#include <QSettings>

#include <memory>

namespace kv::test {

// Whose main window it is: the server's unless a client is named.
struct FrameComputer {
    bool isClient = false;
    QString name = QStringLiteral("Server");
};

// The main window on an open document, with the panel: the parts the
// wiring tests attach their commands to.
inline void openFrameOnDocument(kv::data::CCarMaintenanceDoc& doc, const QString& programFolder,
                                QSettings& profile, std::unique_ptr<kv::app::CMainFrame>& frame,
                                std::unique_ptr<kv::app::DocumentFrameRecords>& records,
                                std::unique_ptr<kv::app::PanelFrameBridge>& bridge,
                                const FrameComputer& computer = {})
{
    kv::app::CMainFrame::Setup setup;
    setup.isClient = computer.isClient;
    setup.computerName = computer.name;
    setup.programFolder = programFolder;
    setup.profile = &profile;
    setup.canClose = [] { return true; };
    frame = std::make_unique<kv::app::CMainFrame>(std::move(setup));
    records = std::make_unique<kv::app::DocumentFrameRecords>(doc);
    frame->commands().setRecords(records.get());
    records->setCommands(&frame->commands());
    bridge = std::make_unique<kv::app::PanelFrameBridge>(*frame, doc, *records, &profile);
}

} // namespace kv::test
