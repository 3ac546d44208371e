#include "masters/CMeisaiSetRefFrame.h"

#include "common/MessageGateway.h"
#include "masters/core/SetRules.h"
#include "masters/core/SetStore.h"

namespace kv::masters {

CFMeisaiSet::CFMeisaiSet(QWidget* parent)
    : CodePickForm(new ItemListView({QStringLiteral("ｾｯﾄｺｰﾄﾞ"), 60, &SetRules::formatCode},
                                    QStringLiteral("                         セット（↑↓）"),
                                    260),
                   parent)
{
    list()->setObjectName(QStringLiteral("setList"));
}

QString CMeisaiSetRefFrame::positionSection(SetListContext context)
{
    return context == SetListContext::Slip ? QStringLiteral("DenMeisaiSetRef")
                                           : QStringLiteral("SetMeisaiSetRef");
}

CMeisaiSetRefFrame* CMeisaiSetRefFrame::open(SetStore& store, SetListContext context,
                                             QWidget* opener, Chosen chosen, Cancelled cancelled)
{
    const auto headers = store.readHeaders();
    if (!headers)
        return nullptr;
    std::vector<ItemRecord> sets;
    for (const SetHeader& header : *headers) {
        if (!header.isPlaceholder())
            sets.push_back({header.code, header.name, header.reading, 0, 0});
    }
    if (sets.empty()) {
        kv::showMessage(SetRules::noSetsMessage());
        return nullptr;
    }
    ItemRowList rows;
    rows.assign(sets);
    auto* frame = new CMeisaiSetRefFrame(store, context, opener, std::move(chosen),
                                         std::move(cancelled));
    frame->start(std::move(rows));
    return frame;
}

CMeisaiSetRefFrame::CMeisaiSetRefFrame(SetStore& store, SetListContext context, QWidget* opener,
                                       Chosen chosen, Cancelled cancelled)
    : CodePickFrame(new CFMeisaiSet,
                    {QStringLiteral("MeisaiSetSortKind"), positionSection(context),
                     context == SetListContext::Modify ? QStringLiteral("参照") : QString(),
                     opener, context != SetListContext::Modify}),
      m_store(store), m_context(context), m_chosen(std::move(chosen)),
      m_cancelled(std::move(cancelled))
{
}

void CMeisaiSetRefFrame::accept()
{
    const QList<int> codes = chosenCodes();
    if (codes.isEmpty())
        return;
    for (const int code : codes) {
        const auto header = m_store.findHeader(code);
        if (!header || header->isPlaceholder()) {
            kv::showMessage(SetRules::setMissingMessage());
            return;
        }
    }
    // The opener is enabled again before it takes the set.
    Chosen chosen = std::move(m_chosen);
    m_cancelled = {};
    close();
    if (chosen)
        chosen(codes);
}

void CMeisaiSetRefFrame::cancel()
{
    Cancelled cancelled = std::move(m_cancelled);
    m_chosen = {};
    close();
    if (cancelled)
        cancelled();
}

} // namespace kv::masters
