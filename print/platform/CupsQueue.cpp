#include "print/platform/CupsQueue.h"

#include <QFile>

#include <cups/cups.h>

namespace kv::print {

namespace {

// The options of a job as CUPS takes them; freed with the object.
class JobOptions {
public:
    explicit JobOptions(const CupsQueue::Options& options)
    {
        add("copies", QByteArray::number(std::max(1, options.copies)));
        if (options.copies > 1)
            add("multiple-document-handling", options.collate ? "separate-documents-collated-copies"
                                                              : "separate-documents-uncollated-copies");
        add("print-color-mode", options.colour ? "color" : "monochrome");
        if (!options.sides.isEmpty())
            add("sides", options.sides.toUtf8());
    }
    ~JobOptions() { cupsFreeOptions(m_count, m_options); }
    JobOptions(const JobOptions&) = delete;
    JobOptions& operator=(const JobOptions&) = delete;

    int count() const { return m_count; }
    cups_option_t* options() const { return m_options; }

private:
    void add(const char* name, const QByteArray& value)
    {
        m_count = cupsAddOption(name, value.constData(), m_count, &m_options);
    }

    int m_count = 0;
    cups_option_t* m_options = nullptr;
};

QString lastError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

} // namespace

CupsQueue::Submission CupsQueue::submitPdf(const QString& pdfPath, const QString& title,
                                           const Options& options) const
{
    Submission result;
    QFile pdf(pdfPath);
    if (!pdf.open(QIODevice::ReadOnly)) {
        result.refusal = pdf.errorString();
        return result;
    }
    const QByteArray queue = m_name.toUtf8();
    const QByteArray name = title.toUtf8();
    const JobOptions jobOptions(options);
    // A queue that does not take jobs (rejecting, gone, not allowed) says
    // so here, before anything is sent.
    const int id = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), name.constData(),
                                 jobOptions.count(), jobOptions.options());
    if (id == 0) {
        result.refusal = lastError();
        return result;
    }
    bool sent = cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), id, name.constData(),
                                  CUPS_FORMAT_PDF, 1)
        == HTTP_STATUS_CONTINUE;
    while (sent && !pdf.atEnd()) {
        const QByteArray chunk = pdf.read(64 * 1024);
        sent = !chunk.isEmpty()
            && cupsWriteRequestData(CUPS_HTTP_DEFAULT, chunk.constData(), size_t(chunk.size()))
                == HTTP_STATUS_CONTINUE;
    }
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) != IPP_STATUS_OK || !sent) {
        result.refusal = lastError();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), id, 0);
        return result;
    }
    result.jobId = id;
    return result;
}

bool CupsQueue::gaveUp(int jobId) const
{
    const QByteArray queue = m_name.toUtf8();
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 0, CUPS_WHICHJOBS_ALL);
    bool gaveUp = false;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id == jobId)
            gaveUp = jobs[i].state == IPP_JSTATE_ABORTED || jobs[i].state == IPP_JSTATE_CANCELED;
    }
    cupsFreeJobs(count, jobs);
    return gaveUp;
}

} // namespace kv::print
