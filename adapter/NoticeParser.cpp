#include "adapter/NoticeParser.h"

#include "adapter/FieldSplitter.h"
#include "adapter/TextField.h"

#include <cstring>

namespace tlx {

bool parseNotice(const char* line, TlxCallNotice& notice)
{
    std::memset(&notice, 0, sizeof notice);
    FieldSplitter fields(line, " /");
    if (!fields.next())
        return false;
    const auto number = fields.next();
    const auto date = fields.next();
    const auto time = fields.next();
    const auto mark = fields.next();
    if (!mark)
        return false;
    copyField(notice.number, *number);
    copyField(notice.date, *date);
    copyField(notice.time, *time);
    if (mark->find('C') != std::string_view::npos) {
        notice.form = 0;
        return true;
    }
    const auto fifth = fields.next();
    const auto formMark = fields.next();
    if (!formMark || formMark->find('D') == std::string_view::npos) {
        std::memset(&notice, 0, sizeof notice);
        return false;
    }
    copyField(notice.fourth, *mark);
    copyField(notice.fifth, *fifth);
    notice.form = 1;
    return true;
}

} // namespace tlx
