#include "data/engine/FilterParser.h"

#include "data/engine/DayNumber.h"
#include "data/engine/LikePattern.h"

#include <QRegularExpression>

namespace kv::data {

namespace {

// Deep enough for any filter a window builds, shallow enough for the stack.
constexpr int kMaxDepth = 100;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isNameStart(QChar c)
{
    return c == u'_' || c.isLetter();
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || isAsciiDigit(c);
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

std::unique_ptr<FilterNode> makeNode(FilterNode::Kind kind)
{
    auto node = std::make_unique<FilterNode>();
    node->kind = kind;
    return node;
}

} // namespace

FilterParser::FilterParser(const TableDef& table, const QString& expression)
    : m_table(table)
    , m_expression(expression)
{
}

void FilterParser::fail(int code, const QString& subject)
{
    if (!m_error.isError())
        m_error = EngineError::make(code, subject.isNull() ? m_expression : subject);
}

bool FilterParser::isKeyword(const char* keyword) const
{
    return m_token.kind == TokenKind::Name && !m_token.bracketed
        && m_token.text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

bool FilterParser::readText()
{
    // m_pos is on the opening quote; a doubled quote stands for one.
    QString text;
    qsizetype i = m_pos + 1;
    while (i < m_expression.size()) {
        const QChar c = m_expression[i];
        if (c == u'"') {
            if (i + 1 < m_expression.size() && m_expression[i + 1] == u'"') {
                text += u'"';
                i += 2;
                continue;
            }
            m_token = {TokenKind::Text, text};
            m_pos = i + 1;
            return true;
        }
        text += c;
        ++i;
    }
    fail(error::kSyntax);
    return false;
}

bool FilterParser::readDate()
{
    const qsizetype close = m_expression.indexOf(u'#', m_pos + 1);
    if (close < 0) {
        fail(error::kSyntax);
        return false;
    }
    const QString body = m_expression.mid(m_pos + 1, close - m_pos - 1).trimmed();
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4})/(\\d{1,2})/(\\d{1,2})(?:\\s+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?$"));
    const QRegularExpressionMatch match = pattern.match(body);
    if (!match.hasMatch()) {
        fail(error::kSyntax);
        return false;
    }
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    QTime time(0, 0);
    if (match.capturedLength(4) > 0)
        time = QTime(match.captured(4).toInt(), match.captured(5).toInt(),
                     match.capturedLength(6) > 0 ? match.captured(6).toInt() : 0);
    if (!date.isValid() || !time.isValid()) {
        fail(error::kSyntax);
        return false;
    }
    m_token = {TokenKind::Date, QString::number(toDayNumber(date, time), 'g', 17)};
    m_pos = close + 1;
    return true;
}

bool FilterParser::readNumber(bool negative)
{
    qsizetype i = m_pos + (negative || m_expression[m_pos] == u'+' ? 1 : 0);
    const qsizetype start = i;
    while (i < m_expression.size() && isAsciiDigit(m_expression[i]))
        ++i;
    if (i < m_expression.size() && m_expression[i] == u'.') {
        ++i;
        while (i < m_expression.size() && isAsciiDigit(m_expression[i]))
            ++i;
    }
    const QString digits = m_expression.mid(start, i - start);
    if (digits == u"." || (i < m_expression.size() && isNameChar(m_expression[i]))) {
        fail(error::kSyntax);
        return false;
    }
    m_token = {TokenKind::Number, (negative ? QStringLiteral("-") : QString()) + digits};
    m_pos = i;
    return true;
}

bool FilterParser::next()
{
    while (m_pos < m_expression.size() && isBlank(m_expression[m_pos]))
        ++m_pos;
    if (m_pos >= m_expression.size()) {
        m_token = {TokenKind::End, {}};
        return true;
    }
    const QChar c = m_expression[m_pos];
    const QChar after = m_pos + 1 < m_expression.size() ? m_expression[m_pos + 1] : QChar();
    if (c == u'"')
        return readText();
    if (c == u'#')
        return readDate();
    if (isAsciiDigit(c) || (c == u'.' && isAsciiDigit(after)))
        return readNumber(false);
    if ((c == u'-' || c == u'+') && (isAsciiDigit(after) || after == u'.'))
        return readNumber(c == u'-');
    if (c == u'[') {
        const qsizetype close = m_expression.indexOf(u']', m_pos + 1);
        if (close < 0 || close == m_pos + 1) {
            fail(error::kSyntax);
            return false;
        }
        m_token = {TokenKind::Name, m_expression.mid(m_pos + 1, close - m_pos - 1), true};
        m_pos = close + 1;
        return true;
    }
    if (isNameStart(c)) {
        qsizetype i = m_pos + 1;
        while (i < m_expression.size() && isNameChar(m_expression[i]))
            ++i;
        m_token = {TokenKind::Name, m_expression.mid(m_pos, i - m_pos)};
        m_pos = i;
        return true;
    }
    static const char* const symbols[] = {"<>", "<=", ">=", "=", "<", ">", "(", ")"};
    for (const char* symbol : symbols) {
        const QLatin1String s(symbol);
        if (QStringView(m_expression).mid(m_pos).startsWith(s)) {
            m_token = {TokenKind::Symbol, s};
            m_pos += s.size();
            return true;
        }
    }
    fail(error::kSyntax);
    return false;
}

std::unique_ptr<FilterNode> FilterParser::parse()
{
    m_pos = 0;
    m_error = {};
    if (m_expression.trimmed().isEmpty())
        return nullptr;
    if (!next())
        return nullptr;
    std::unique_ptr<FilterNode> root = parseOr(0);
    if (root && m_token.kind != TokenKind::End) {
        fail(error::kSyntax);
        root.reset();
    }
    if (m_error.isError())
        root.reset();
    return root;
}

std::unique_ptr<FilterNode> FilterParser::parseOr(int depth)
{
    std::unique_ptr<FilterNode> left = parseAnd(depth);
    while (left && isKeyword("OR")) {
        if (!next())
            return nullptr;
        std::unique_ptr<FilterNode> right = parseAnd(depth);
        if (!right)
            return nullptr;
        // A chain is one node with all its terms.
        if (left->kind != FilterNode::Kind::Or || left->grouped) {
            auto node = makeNode(FilterNode::Kind::Or);
            node->children.push_back(std::move(left));
            left = std::move(node);
        }
        left->children.push_back(std::move(right));
    }
    return left;
}

std::unique_ptr<FilterNode> FilterParser::parseAnd(int depth)
{
    std::unique_ptr<FilterNode> left = parseFactor(depth);
    while (left && isKeyword("AND")) {
        if (!next())
            return nullptr;
        std::unique_ptr<FilterNode> right = parseFactor(depth);
        if (!right)
            return nullptr;
        // A chain is one node with all its terms.
        if (left->kind != FilterNode::Kind::And || left->grouped) {
            auto node = makeNode(FilterNode::Kind::And);
            node->children.push_back(std::move(left));
            left = std::move(node);
        }
        left->children.push_back(std::move(right));
    }
    return left;
}

std::unique_ptr<FilterNode> FilterParser::parseFactor(int depth)
{
    if (depth > kMaxDepth) {
        fail(error::kSyntax);
        return nullptr;
    }
    if (isKeyword("NOT")) {
        if (!next())
            return nullptr;
        std::unique_ptr<FilterNode> inner = parseFactor(depth + 1);
        if (!inner)
            return nullptr;
        auto node = makeNode(FilterNode::Kind::Not);
        node->children.push_back(std::move(inner));
        return node;
    }
    if (m_token.kind == TokenKind::Symbol && m_token.text == u"(") {
        if (!next())
            return nullptr;
        std::unique_ptr<FilterNode> inner = parseOr(depth + 1);
        if (!inner)
            return nullptr;
        inner->grouped = true;
        if (m_token.kind != TokenKind::Symbol || m_token.text != u")") {
            fail(error::kSyntax);
            return nullptr;
        }
        if (!next())
            return nullptr;
        return inner;
    }
    return parsePredicate();
}

std::unique_ptr<FilterNode> FilterParser::parseOperand()
{
    std::unique_ptr<FilterNode> node;
    switch (m_token.kind) {
    case TokenKind::Name: {
        if (!m_token.bracketed
            && (isKeyword("AND") || isKeyword("OR") || isKeyword("NOT") || isKeyword("BETWEEN")
                || isKeyword("LIKE"))) {
            fail(error::kSyntax);
            return nullptr;
        }
        const int column = m_table.columnIndex(m_token.text);
        if (column < 0) {
            fail(error::kUnknownColumn, m_token.text);
            return nullptr;
        }
        node = makeNode(FilterNode::Kind::Column);
        node->column = column;
        break;
    }
    case TokenKind::Number: {
        bool ok = false;
        const qint64 integer = m_token.text.toLongLong(&ok);
        if (ok) {
            node = makeNode(FilterNode::Kind::Integer);
            node->integer = integer;
        } else {
            const double real = m_token.text.toDouble(&ok);
            if (!ok) {
                fail(error::kSyntax);
                return nullptr;
            }
            node = makeNode(FilterNode::Kind::Real);
            node->real = real;
        }
        break;
    }
    case TokenKind::Text:
        node = makeNode(FilterNode::Kind::Text);
        node->text = m_token.text;
        break;
    case TokenKind::Date:
        node = makeNode(FilterNode::Kind::Date);
        node->real = m_token.text.toDouble();
        break;
    default:
        fail(error::kSyntax);
        return nullptr;
    }
    if (!next())
        return nullptr;
    return node;
}

bool FilterParser::checkOperands(std::unique_ptr<FilterNode>& left,
                                 std::unique_ptr<FilterNode>& right)
{
    const FilterNode* column = left->kind == FilterNode::Kind::Column ? left.get()
                             : right->kind == FilterNode::Kind::Column ? right.get()
                                                                       : nullptr;
    std::unique_ptr<FilterNode>& literal = left->isLiteral() ? left : right;
    if (!column || !literal->isLiteral())
        return true;
    if (m_table.isText(column->column)) {
        if (literal->kind != FilterNode::Kind::Text) {
            fail(error::kTypeMismatch);
            return false;
        }
        return true;
    }
    if (literal->kind == FilterNode::Kind::Text) {
        // A number written in quotes still compares as a number.
        bool ok = false;
        const QString trimmed = literal->text.trimmed();
        const qint64 integer = trimmed.toLongLong(&ok);
        if (ok) {
            literal->kind = FilterNode::Kind::Integer;
            literal->integer = integer;
            return true;
        }
        const double real = trimmed.toDouble(&ok);
        if (!ok) {
            fail(error::kTypeMismatch);
            return false;
        }
        literal->kind = FilterNode::Kind::Real;
        literal->real = real;
    }
    return true;
}

std::unique_ptr<FilterNode> FilterParser::parsePredicate()
{
    std::unique_ptr<FilterNode> left = parseOperand();
    if (!left)
        return nullptr;
    bool negate = false;
    if (isKeyword("NOT")) {
        negate = true;
        if (!next())
            return nullptr;
        if (!isKeyword("BETWEEN") && !isKeyword("LIKE")) {
            fail(error::kSyntax);
            return nullptr;
        }
    }
    std::unique_ptr<FilterNode> node;
    if (isKeyword("BETWEEN")) {
        if (!next())
            return nullptr;
        std::unique_ptr<FilterNode> low = parseOperand();
        if (!low)
            return nullptr;
        if (!isKeyword("AND")) {
            fail(error::kSyntax);
            return nullptr;
        }
        if (!next())
            return nullptr;
        std::unique_ptr<FilterNode> high = parseOperand();
        if (!high || !checkOperands(left, low) || !checkOperands(left, high))
            return nullptr;
        node = makeNode(FilterNode::Kind::Between);
        node->children.push_back(std::move(left));
        node->children.push_back(std::move(low));
        node->children.push_back(std::move(high));
    } else if (isKeyword("LIKE")) {
        if (!next())
            return nullptr;
        if (m_token.kind != TokenKind::Text) {
            fail(error::kSyntax);
            return nullptr;
        }
        if (!LikePattern::compile(m_token.text)) {
            fail(error::kInvalidPattern);
            return nullptr;
        }
        std::unique_ptr<FilterNode> pattern = parseOperand();
        if (!pattern)
            return nullptr;
        node = makeNode(FilterNode::Kind::Like);
        node->children.push_back(std::move(left));
        node->children.push_back(std::move(pattern));
    } else if (m_token.kind == TokenKind::Symbol && m_token.text != u"(" && m_token.text != u")") {
        FilterNode::Op op = FilterNode::Op::Equal;
        if (m_token.text == u"<>") op = FilterNode::Op::NotEqual;
        else if (m_token.text == u"<") op = FilterNode::Op::Less;
        else if (m_token.text == u"<=") op = FilterNode::Op::LessEqual;
        else if (m_token.text == u">") op = FilterNode::Op::Greater;
        else if (m_token.text == u">=") op = FilterNode::Op::GreaterEqual;
        if (!next())
            return nullptr;
        std::unique_ptr<FilterNode> right = parseOperand();
        if (!right || !checkOperands(left, right))
            return nullptr;
        node = makeNode(FilterNode::Kind::Compare);
        node->op = op;
        node->children.push_back(std::move(left));
        node->children.push_back(std::move(right));
    } else {
        fail(error::kSyntax);
        return nullptr;
    }
    if (!negate)
        return node;
    auto notNode = makeNode(FilterNode::Kind::Not);
    notNode->children.push_back(std::move(node));
    return notNode;
}

} // namespace kv::data
