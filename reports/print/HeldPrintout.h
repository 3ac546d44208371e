#pragma once

#include "print/PagePainter.h"

#include <memory>

namespace kv::reports {

// A printout together with what its pages read from (a selection, a
// table), kept as long as the pages are.
class HeldPrintout final : public print::PagePainter {
public:
    HeldPrintout(std::shared_ptr<void> source, std::unique_ptr<print::PagePainter> pages)
        : m_source(std::move(source))
        , m_pages(std::move(pages))
    {
    }
    ~HeldPrintout() override
    {
        // The pages before what they read.
        m_pages.reset();
    }

    print::PageLayout layout() const override { return m_pages->layout(); }
    int pageCount() const override { return m_pages->pageCount(); }
    void paintPage(int page, QPainter& painter) override { m_pages->paintPage(page, painter); }

private:
    std::shared_ptr<void> m_source;
    std::unique_ptr<print::PagePainter> m_pages;
};

} // namespace kv::reports
