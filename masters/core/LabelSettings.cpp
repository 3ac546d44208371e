#include "masters/core/LabelSettings.h"

#include "data/document/CCarMaintenanceDoc.h"
#include "data/settings/UserProfile.h"

#include <QSettings>

namespace kv::masters {

namespace {

// A text literal of a filter: its own quotes doubled, so that a maker's
// name stays one literal whatever it holds.
QString literal(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

struct FontKey {
    const char* key;
    int LabelFont::*member;
};
const FontKey kFontKeys[] = {
    {"lfHeight", &LabelFont::height},
    {"lfWidth", &LabelFont::width},
    {"lfEscapement", &LabelFont::escapement},
    {"lfOrientation", &LabelFont::orientation},
    {"lfWeight", &LabelFont::weight},
    {"lfItalic", &LabelFont::italic},
    {"lfUnderline", &LabelFont::underline},
    {"lfStrikeOut", &LabelFont::strikeOut},
    {"lfCharSet", &LabelFont::charSet},
    {"lfOutPrecision", &LabelFont::outPrecision},
    {"lfClipPrecision", &LabelFont::clipPrecision},
    {"lfQuality", &LabelFont::quality},
    {"lfPitchAndFamily", &LabelFont::pitchAndFamily},
    {"PointSize", &LabelFont::pointSize},
};

} // namespace

QString LabelFont::description() const
{
    const bool bold = weight >= 700;
    const QString style = bold && italic ? QStringLiteral("ﾎﾞｰﾙﾄﾞ ｲﾀﾘｯｸ")
                        : bold           ? QStringLiteral("ﾎﾞｰﾙﾄﾞ")
                        : italic         ? QStringLiteral("ｲﾀﾘｯｸ")
                                         : QStringLiteral("  ");
    return faceName + QLatin1Char(' ') + style + QString::number(pointSize);
}

LabelProfile LabelProfile::read()
{
    LabelProfile profile;
    const std::unique_ptr<QSettings> settings = data::openUserProfile();
    settings->beginGroup(QStringLiteral("Seal"));
    profile.maker = settings->value(QStringLiteral("Maker"), profile.maker).toString();
    profile.productNumber = settings->value(QStringLiteral("Hinban"), profile.productNumber).toString();
    settings->endGroup();
    settings->beginGroup(QStringLiteral("SealFont"));
    for (const FontKey& k : kFontKeys)
        profile.font.*k.member =
            settings->value(QString::fromLatin1(k.key), profile.font.*k.member).toInt();
    profile.font.faceName =
        settings->value(QStringLiteral("lfFaceName"), profile.font.faceName).toString();
    settings->endGroup();
    return profile;
}

void LabelProfile::write() const
{
    const std::unique_ptr<QSettings> settings = data::openUserProfile();
    settings->beginGroup(QStringLiteral("Seal"));
    settings->setValue(QStringLiteral("Maker"), maker);
    settings->setValue(QStringLiteral("Hinban"), productNumber);
    settings->endGroup();
    settings->beginGroup(QStringLiteral("SealFont"));
    for (const FontKey& k : kFontKeys)
        settings->setValue(QString::fromLatin1(k.key), font.*k.member);
    settings->setValue(QStringLiteral("lfFaceName"), font.faceName);
    settings->endGroup();
}

LabelSheets::LabelSheets(data::CCarMaintenanceDoc& document)
    : m_document(document)
{
}

std::optional<QStringList> LabelSheets::makers()
{
    CDaoSealSet& set = m_document.labelSheets();
    if (!set.OpenWhere(QString(), QStringLiteral("Maker, Hinban"))) {
        m_lastMessage = set.lastError().description;
        return std::nullopt;
    }
    QStringList makers;
    for (; !set.IsEOF(); set.MoveNext())
        if (makers.isEmpty() || makers.last() != set.m_Maker)
            makers.append(set.m_Maker);
    return makers;
}

std::optional<QStringList> LabelSheets::productNumbers(const QString& maker)
{
    CDaoSealSet& set = m_document.labelSheets();
    if (!set.OpenWhere(QStringLiteral("Maker = ") + literal(maker), QStringLiteral("Hinban"))) {
        m_lastMessage = set.lastError().description;
        return std::nullopt;
    }
    QStringList numbers;
    for (; !set.IsEOF(); set.MoveNext())
        numbers.append(set.m_Hinban);
    return numbers;
}

int LabelSheets::check(const QString& maker, const QString& productNumber)
{
    CDaoSealSet& set = m_document.labelSheets();
    if (!set.OpenWhere(QStringLiteral("Maker = ") + literal(maker), QStringLiteral("Hinban"))) {
        m_lastMessage = set.lastError().description;
        return -1;
    }
    if (set.IsEOF())
        return 1;
    if (!set.FindFirst(QStringLiteral("Hinban = ") + literal(productNumber)))
        return set.lastError() ? (m_lastMessage = set.lastError().description, -1) : 2;
    return 0;
}

void LabelSheets::resetView()
{
    CDaoSealSet& set = m_document.labelSheets();
    set.OpenWhere(QString(), QStringLiteral("Maker, Hinban"));
}

} // namespace kv::masters
