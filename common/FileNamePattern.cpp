#include "common/FileNamePattern.h"

namespace kv {
namespace {

QString wildcardToExpression(QString pattern)
{
    bool optionalExtension = false;
    if (pattern.endsWith(QLatin1String(".*"))) {
        pattern.chop(2);
        optionalExtension = true;
    }
    QString expression;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('*'))
            expression += QLatin1String(".*");
        else if (c == QLatin1Char('?'))
            expression += QLatin1Char('.');
        else
            expression += QRegularExpression::escape(QString(c));
    }
    if (optionalExtension)
        expression += QLatin1String("(?:\\..*)?");
    return QRegularExpression::anchoredPattern(expression);
}

} // namespace

FileNamePattern::FileNamePattern(const QString& namePattern)
    : m_text(namePattern)
    , m_expression(wildcardToExpression(namePattern),
                   QRegularExpression::CaseInsensitiveOption
                       | QRegularExpression::DotMatchesEverythingOption)
{
}

bool FileNamePattern::matches(const QString& name) const
{
    return m_expression.match(name).hasMatch();
}

bool FileNamePattern::split(const QString& pattern, QString* folder, QString* namePattern)
{
    const qsizetype slash = pattern.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return false;
    *folder = slash == 0 ? QStringLiteral("/") : pattern.left(slash);
    *namePattern = pattern.mid(slash + 1);
    return true;
}

QString FileNamePattern::join(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool FileNamePattern::isPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0));
}

} // namespace kv
