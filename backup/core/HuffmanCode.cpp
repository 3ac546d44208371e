#include "backup/core/HuffmanCode.h"

#include <algorithm>
#include <queue>

namespace kv::backup {

namespace {

// Depth of every used symbol's leaf in a Huffman tree of the frequencies.
std::vector<int> treeDepths(const std::vector<quint32>& frequencies, const std::vector<int>& used)
{
    struct Node {
        quint64 weight;
        int id;
        bool operator>(const Node& other) const
        {
            return weight != other.weight ? weight > other.weight : id > other.id;
        }
    };
    std::priority_queue<Node, std::vector<Node>, std::greater<>> queue;
    std::vector<int> parent(used.size() * 2, -1);
    for (size_t i = 0; i < used.size(); ++i)
        queue.push({frequencies[size_t(used[i])], int(i)});
    int next = int(used.size());
    while (queue.size() > 1) {
        const Node a = queue.top();
        queue.pop();
        const Node b = queue.top();
        queue.pop();
        parent[size_t(a.id)] = parent[size_t(b.id)] = next;
        queue.push({a.weight + b.weight, next++});
    }
    std::vector<int> depth(size_t(next), 0);
    for (int node = next - 2; node >= 0; --node)
        depth[size_t(node)] = depth[size_t(parent[size_t(node)])] + 1;
    depth.resize(used.size());
    return depth;
}

} // namespace

std::vector<quint8> HuffmanCode::limitedLengths(const std::vector<quint32>& frequencies, int maxLength)
{
    std::vector<quint8> lengths(frequencies.size(), 0);
    std::vector<int> used;
    for (size_t s = 0; s < frequencies.size(); ++s)
        if (frequencies[s] > 0)
            used.push_back(int(s));
    if (used.size() < 2)
        return lengths;

    const std::vector<int> depth = treeDepths(frequencies, used);
    const int deepest = *std::max_element(depth.begin(), depth.end());
    std::vector<int> count(size_t(std::max(deepest, maxLength)) + 1, 0);
    for (int d : depth)
        ++count[size_t(d)];
    // Leaves deeper than the limit come in sibling pairs: lift a pair by
    // hanging one of them beside the shallower leaf that becomes their
    // parent, which keeps the code complete.
    for (int i = deepest; i > maxLength; --i) {
        while (count[size_t(i)] > 0) {
            int j = i - 2;
            while (count[size_t(j)] == 0)
                --j;
            count[size_t(i)] -= 2;
            count[size_t(i - 1)] += 1;
            count[size_t(j + 1)] += 2;
            count[size_t(j)] -= 1;
        }
    }
    // The shortest lengths go to the most frequent symbols.
    std::stable_sort(used.begin(), used.end(),
                     [&](int a, int b) { return frequencies[size_t(a)] > frequencies[size_t(b)]; });
    size_t next = 0;
    for (int len = 1; len <= maxLength; ++len)
        for (int k = 0; k < count[size_t(len)]; ++k)
            lengths[size_t(used[next++])] = quint8(len);
    return lengths;
}

HuffmanCode::HuffmanCode(const std::vector<quint32>& frequencies, int maxLength)
    : m_lengths(limitedLengths(frequencies, maxLength))
    , m_codes(frequencies.size(), 0)
{
    int usedCount = 0;
    for (size_t s = 0; s < frequencies.size(); ++s) {
        if (frequencies[s] > 0) {
            ++usedCount;
            m_single = int(s);
        }
    }
    if (usedCount > 1)
        m_single = -1;
    else
        return;

    std::vector<int> perLength(size_t(maxLength) + 2, 0);
    for (quint8 len : m_lengths)
        ++perLength[len];
    perLength[0] = 0;
    std::vector<quint32> nextCode(size_t(maxLength) + 2, 0);
    for (int len = 1; len <= maxLength; ++len)
        nextCode[size_t(len + 1)] = (nextCode[size_t(len)] + quint32(perLength[size_t(len)])) << 1;
    for (size_t s = 0; s < m_lengths.size(); ++s)
        if (m_lengths[s] > 0)
            m_codes[s] = quint16(nextCode[m_lengths[s]]++);
}

} // namespace kv::backup
