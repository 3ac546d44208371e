#pragma once

#include <QString>

namespace kv::print {

// A print queue of the CUPS server the program talks to (the system's, or
// the one $CUPS_SERVER names). Jobs go in as PDF files, so that the
// server's answer, a job number or a refusal, is known to the program.
class CupsQueue {
public:
    struct Options {
        int copies = 1;
        bool collate = false;
        bool colour = true;
        // "two-sided-long-edge", "two-sided-short-edge"; empty for the
        // queue's default.
        QString sides;
    };
    struct Submission {
        // The server's job number; 0 when the job was refused.
        int jobId = 0;
        // The server's reason for a refusal.
        QString refusal;
    };

    explicit CupsQueue(QString name) : m_name(std::move(name)) {}

    Submission submitPdf(const QString& pdfPath, const QString& title, const Options& options) const;
    // Whether the server has given up a job it accepted (aborted or
    // cancelled it), as a job of a queue that fails at once is.
    bool gaveUp(int jobId) const;

private:
    QString m_name;
};

} // namespace kv::print
