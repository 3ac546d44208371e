#pragma once

#include "masters/CodePickFrame.h"

#include <functional>

namespace kv::masters {

class SetStore;

// Who opened the set pick list: the slip grid (its sets are expanded into
// the slip), the set window's "修正" (the set to modify) or the set
// window's grid (a set's lines copied into the set being edited).
enum class SetListContext { Slip = 0, Modify = 1, SetGrid = 2 };

// The form of the set pick list: the kana buttons, the sets, OK and cancel.
class CFMeisaiSet : public CodePickForm {
    Q_OBJECT
public:
    explicit CFMeisaiSet(QWidget* parent = nullptr);
};

// The set pick list (作業・部品ｾｯﾄ): a captioned popup ("参照" for "修正")
// over its opener, which stays disabled while it is open. OK closes the
// list and hands the opener the marked sets' codes in the list's order (the
// focused set's when none is marked; "修正" takes one set, nothing is
// marked there); Esc closes it and tells the opener so.
class CMeisaiSetRefFrame : public CodePickFrame {
    Q_OBJECT
public:
    using Chosen = std::function<void(const QList<int>& codes)>;
    using Cancelled = std::function<void()>;

    // nullptr after "ｾｯﾄが存在しません！" when no set exists (or the headers
    // cannot be read).
    static CMeisaiSetRefFrame* open(SetStore& store, SetListContext context, QWidget* opener,
                                    Chosen chosen, Cancelled cancelled = {});

    CFMeisaiSet* form() const { return static_cast<CFMeisaiSet*>(pickForm()); }
    SetListContext context() const { return m_context; }

    void accept() override;
    void cancel() override;

    static QString positionSection(SetListContext context);

private:
    CMeisaiSetRefFrame(SetStore& store, SetListContext context, QWidget* opener, Chosen chosen,
                       Cancelled cancelled);

    SetStore& m_store;
    SetListContext m_context;
    Chosen m_chosen;
    Cancelled m_cancelled;
};

} // namespace kv::masters
