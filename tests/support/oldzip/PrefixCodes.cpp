#include "tests/support/oldzip/PrefixCodes.h"

#include <algorithm>
#include <queue>

namespace oldzip {

namespace {

std::vector<uint32_t> HuffmanLengths(const std::vector<uint64_t>& frequencies) {
    struct Node {
        uint64_t weight;
        int left, right;
    };
    std::vector<Node> nodes;
    using Item = std::pair<uint64_t, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
    for (size_t symbol = 0; symbol < frequencies.size(); ++symbol) {
        if (!frequencies[symbol]) continue;
        nodes.push_back({frequencies[symbol], -1, int(symbol)});
        queue.push({frequencies[symbol], int(nodes.size() - 1)});
    }
    std::vector<uint32_t> lengths(frequencies.size(), 0);
    if (nodes.empty()) return lengths;
    if (nodes.size() == 1) {
        lengths[size_t(nodes[0].right)] = 1;
        return lengths;
    }
    while (queue.size() > 1) {
        Item a = queue.top();
        queue.pop();
        Item b = queue.top();
        queue.pop();
        nodes.push_back({a.first + b.first, a.second, b.second});
        queue.push({a.first + b.first, int(nodes.size() - 1)});
    }
    // Depth-first walk from the root; leaves carry their symbol in `right`.
    std::vector<std::pair<int, uint32_t>> stack{{queue.top().second, 0}};
    while (!stack.empty()) {
        auto [index, depth] = stack.back();
        stack.pop_back();
        const Node& node = nodes[size_t(index)];
        if (node.left < 0) {
            lengths[size_t(node.right)] = depth;
        } else {
            stack.push_back({node.left, depth + 1});
            stack.push_back({node.right, depth + 1});
        }
    }
    return lengths;
}

}  // namespace

std::vector<uint32_t> LengthsFromFrequencies(std::vector<uint64_t> frequencies, uint32_t maxLength) {
    for (;;) {
        std::vector<uint32_t> lengths = HuffmanLengths(frequencies);
        if (*std::max_element(lengths.begin(), lengths.end()) <= maxLength) return lengths;
        // Flatten the distribution until the tree is shallow enough.
        for (uint64_t& f : frequencies)
            if (f) f = (f >> 1) | 1;
    }
}

std::vector<uint32_t> CanonicalCodes(const std::vector<uint32_t>& lengths) {
    uint32_t longest = 0;
    for (uint32_t length : lengths) longest = std::max(longest, length);
    std::vector<uint32_t> count(longest + 2, 0), next(longest + 2, 0);
    for (uint32_t length : lengths)
        if (length) ++count[length];
    uint32_t code = 0;
    for (uint32_t length = 1; length <= longest; ++length) {
        code = (code + count[length - 1]) << 1;
        next[length] = code;
    }
    std::vector<uint32_t> codes(lengths.size(), 0);
    for (size_t symbol = 0; symbol < lengths.size(); ++symbol)
        if (lengths[symbol]) codes[symbol] = next[lengths[symbol]]++;
    return codes;
}

}  // namespace oldzip
