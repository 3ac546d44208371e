#pragma once

#include <QString>
#include <QtGlobal>

class QIODevice;

namespace kv::backup {

// Compresses one stream with -lh5- (LZSS over an 8 KiB dictionary, coded in
// static-Huffman blocks), reading and writing in pieces so that a file of
// any size passes through a small, fixed amount of memory.
class Lh5Compressor {
public:
    // Longer chains find longer copies and take more time.
    explicit Lh5Compressor(int maxChainSteps = 48);

    // Reads `in` to its end; false on a read or write failure, or when the
    // input grows past maxInput bytes.
    bool compress(QIODevice& in, QIODevice& out, qint64 maxInput);

    qint64 inputSize() const { return m_inputSize; }
    qint64 outputSize() const { return m_outputSize; }
    quint16 inputCrc() const { return m_crc; }
    QString lastError() const { return m_error; }
    // True when the failure was in writing, not in reading.
    bool outputFailed() const { return m_outputFailed; }

private:
    int m_maxChainSteps;
    qint64 m_inputSize = 0;
    qint64 m_outputSize = 0;
    quint16 m_crc = 0;
    QString m_error;
    bool m_outputFailed = false;
};

} // namespace kv::backup
