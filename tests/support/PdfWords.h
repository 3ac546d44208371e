#pragma once

// The words of a PDF file with their boxes, read back with poppler's
// `pdftotext -bbox`, in tenths of a millimetre from the page's top-left
// corner.

#include <QRectF>
#include <QString>

#include <vector>

namespace kv::test {

struct PdfWord {
    int page = 0; // 1..
    QString text;
    QRectF box; // tenths of a millimetre
};

struct PdfWords {
    bool ok = false;
    QString error;
    std::vector<PdfWord> words;
    std::vector<QRectF> pages; // page sizes, tenths of a millimetre

    static PdfWords read(const QString& pdfPath);
    // The words of a page that equal or contain text.
    std::vector<PdfWord> find(int page, const QString& text) const;
};

} // namespace kv::test
