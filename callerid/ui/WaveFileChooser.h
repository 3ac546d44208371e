#pragma once

#include <QString>

class QWidget;

namespace kv::callerid {

// Asks the user for a wave file; tests stand in with their own answers.
class WaveFileChooser {
public:
    virtual ~WaveFileChooser() = default;
    // The chosen file's path; empty when the user cancelled.
    virtual QString chooseWave(QWidget* parent, const QString& current) = 0;
};

// The file-open dialog for "*.wav" files; the process's current folder is
// left as it was.
class DialogWaveFileChooser final : public WaveFileChooser {
public:
    QString chooseWave(QWidget* parent, const QString& current) override;
};

} // namespace kv::callerid
