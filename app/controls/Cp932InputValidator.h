#pragma once

#include <QValidator>

namespace kv {

// Refuses an edit by the user (typing, pasting, dropping, input-method
// commits) that would leave a character CP932 cannot hold in the field or
// more CP932 bytes than the field stores. Text the program sets is never
// changed by it.
class Cp932InputValidator : public QValidator {
    Q_OBJECT
public:
    explicit Cp932InputValidator(QObject* parent = nullptr);

    // 0 means no limit.
    void setByteLimit(int bytes) { m_byteLimit = bytes; }
    int byteLimit() const { return m_byteLimit; }

    State validate(QString& input, int& position) const override;

private:
    int m_byteLimit = 0;
};

} // namespace kv
