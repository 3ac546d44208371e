#include "support/PdfWords.h"

#include <QProcess>
#include <QRegularExpression>

namespace kv::test {

namespace {
constexpr double kTenthsPerPoint = 254.0 / 72.0;

QString unescaped(QString text)
{
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}
} // namespace

PdfWords PdfWords::read(const QString& pdfPath)
{
    PdfWords out;
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) {
        out.error = QStringLiteral("pdftotext failed: ") + QString::fromLocal8Bit(tool.readAllStandardError())
            + tool.errorString();
        return out;
    }
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    static const QRegularExpression pageOrWord(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>)re"));
    int page = 0;
    for (auto it = pageOrWord.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            ++page;
            out.pages.push_back(QRectF(0, 0, m.captured(1).toDouble() * kTenthsPerPoint,
                                       m.captured(2).toDouble() * kTenthsPerPoint));
            continue;
        }
        PdfWord word;
        word.page = page;
        word.text = unescaped(m.captured(7));
        word.box = QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()) * kTenthsPerPoint,
                          QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()) * kTenthsPerPoint);
        out.words.push_back(word);
    }
    out.ok = true;
    return out;
}

std::vector<PdfWord> PdfWords::find(int page, const QString& text) const
{
    std::vector<PdfWord> found;
    for (const PdfWord& w : words)
        if (w.page == page && w.text.contains(text))
            found.push_back(w);
    return found;
}

} // namespace kv::test
