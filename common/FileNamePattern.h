#pragma once

#include "common/KVCommonExport.h"

#include <QRegularExpression>
#include <QString>

namespace kv {

// A "folder/name-pattern" argument, split at its last "/", and the name
// pattern matched the way Windows matches it: case-insensitively, "*" any
// run of characters, "?" one character, and a trailing ".*" also matching
// names without a dot, so "*.*" takes every name.
class KVCOMMON_EXPORT FileNamePattern {
public:
    explicit FileNamePattern(const QString& namePattern);

    bool matches(const QString& name) const;
    const QString& text() const { return m_text; }

    // Splits pattern at its last "/"; false when it has none. An empty
    // folder part is the root folder.
    static bool split(const QString& pattern, QString* folder, QString* namePattern);
    // folder + "/" + name, without doubling a trailing "/".
    static QString join(const QString& folder, const QString& name);
    // A name stored in a record (a photo's) is a file of its folder, never
    // a path that leads out of it.
    static bool isPlainName(const QString& name);

private:
    QString m_text;
    QRegularExpression m_expression;
};

} // namespace kv
