#pragma once

#include <QValidator>

namespace kv {

// Refuses an edit by the user (typing, pasting, dropping, input-method
// commits) that would leave a character CP932 cannot hold in the field or
// more CP932 bytes than the field stores. Text the program sets is never
// changed by it. A reading field is measured as it will be stored, in
// half-width katakana, so that a reading typed in full-width kana may be as
// long as the half-width reading the field holds.
class Cp932InputValidator : public QValidator {
    Q_OBJECT
public:
    explicit Cp932InputValidator(QObject* parent = nullptr);

    // 0 means no limit.
    void setByteLimit(int bytes) { m_byteLimit = bytes; }
    int byteLimit() const { return m_byteLimit; }
    void setMeasuresReading(bool reading) { m_measuresReading = reading; }

    // The CP932 bytes the text takes once stored.
    int storedBytes(const QString& text) const;
    // The longest beginning of inserted that fits beside kept, never
    // splitting a character.
    QString fitting(const QString& kept, const QString& inserted) const;

    State validate(QString& input, int& position) const override;

private:
    int m_byteLimit = 0;
    bool m_measuresReading = false;
};

} // namespace kv
