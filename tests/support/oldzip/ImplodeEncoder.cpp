#include "tests/support/oldzip/ImplodeEncoder.h"

#include <algorithm>
#include <vector>

#include "tests/support/oldzip/BitWriter.h"
#include "tests/support/oldzip/PrefixCodes.h"

namespace oldzip {

namespace {

struct Token {
    bool literal;
    uint8_t byte;
    uint32_t length;
    uint32_t distance;
};

struct Shape {
    uint32_t minimumMatch;   // 3 with a literal tree, 2 without
    uint32_t maximumMatch;   // minimum + 63 + 255
    uint32_t lowBits;        // 7 with the 8 KB dictionary, 6 with 4 KB
    uint32_t dictionary;     // 8192 or 4096
};

std::vector<Token> FindTokens(const std::string& data, const Shape& shape,
                              const ImplodeOptions& options, ImplodeResult& result) {
    std::vector<Token> tokens;
    const size_t size = data.size();
    constexpr uint32_t kHashSize = 1 << 16;
    std::vector<int64_t> head(kHashSize, -1), previous(size, -1);
    auto hashAt = [&](size_t i) {
        uint32_t h = 0;
        for (uint32_t k = 0; k < shape.minimumMatch; ++k) h = h * 257 + uint8_t(data[i + k]);
        return (h * 2654435761u) >> 16;
    };
    auto insert = [&](size_t i) {
        if (i + shape.minimumMatch > size) return;
        const uint32_t h = hashAt(i);
        previous[i] = head[h];
        head[h] = int64_t(i);
    };

    size_t position = 0;
    if (options.matchBeforeStart) {
        size_t zeros = 0;
        while (zeros < size && zeros < shape.maximumMatch && data[zeros] == '\0') ++zeros;
        if (zeros >= shape.minimumMatch) {
            tokens.push_back({false, 0, uint32_t(zeros), 100});
            for (size_t i = 0; i < zeros; ++i) insert(i);
            position = zeros;
            result.usedMatchBeforeStart = true;
        }
    }
    while (position < size) {
        uint32_t bestLength = 0, bestDistance = 0;
        if (position + shape.minimumMatch <= size) {
            int64_t candidate = head[hashAt(position)];
            for (int steps = 0; candidate >= 0 && steps < options.maxChainSteps; ++steps) {
                const size_t distance = position - size_t(candidate);
                if (distance > shape.dictionary) break;
                const size_t limit = std::min<size_t>(shape.maximumMatch, size - position);
                size_t length = 0;
                while (length < limit && data[size_t(candidate) + length] == data[position + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = uint32_t(length);
                    bestDistance = uint32_t(distance);
                }
                candidate = previous[size_t(candidate)];
            }
        }
        if (bestLength >= shape.minimumMatch) {
            tokens.push_back({false, 0, bestLength, bestDistance});
            for (size_t i = 0; i < bestLength; ++i) insert(position + i);
            position += bestLength;
        } else {
            tokens.push_back({true, uint8_t(data[position]), 0, 0});
            insert(position);
            ++position;
        }
    }
    return tokens;
}

// A Shannon-Fano tree: its bit lengths and the codes the application note derives from
// them (most significant bit first).
struct Tree {
    std::vector<uint32_t> lengths;
    std::vector<uint32_t> codes;
};

Tree MakeTree(std::vector<uint64_t> frequencies) {
    for (uint64_t& f : frequencies) ++f;  // every value needs a code
    Tree tree;
    tree.lengths = LengthsFromFrequencies(frequencies, 16);
    // Sort by bit length, keeping value order, and hand out codes from the longest end:
    // each step adds 1 << (16 - the current length), as the application note describes.
    const size_t n = tree.lengths.size();
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return tree.lengths[a] < tree.lengths[b]; });
    tree.codes.assign(n, 0);
    uint32_t code = 0, increment = 0, lastLength = 0;
    for (size_t i = n; i-- > 0;) {
        const size_t value = order[i];
        code += increment;
        if (tree.lengths[value] != lastLength) {
            lastLength = tree.lengths[value];
            increment = 1u << (16 - lastLength);
        }
        tree.codes[value] = code >> (16 - tree.lengths[value]);
    }
    return tree;
}

// The tree as it is stored: runs of equal lengths, at most 16 to a byte.
void PutTree(BitWriter& out, const Tree& tree) {
    std::vector<uint8_t> packed;
    for (size_t i = 0; i < tree.lengths.size();) {
        size_t run = 1;
        while (i + run < tree.lengths.size() && run < 16 && tree.lengths[i + run] == tree.lengths[i])
            ++run;
        packed.push_back(uint8_t((run - 1) << 4 | (tree.lengths[i] - 1)));
        i += run;
    }
    out.PutByte(uint8_t(packed.size() - 1));
    for (uint8_t byte : packed) out.PutByte(byte);
}

void PutCode(BitWriter& out, const Tree& tree, uint32_t value) {
    out.PutCodeMsbFirst(tree.codes[value], tree.lengths[value]);
}

}  // namespace

ImplodeResult Implode(const std::string& data, const ImplodeOptions& options) {
    ImplodeResult result;
    const Shape shape{options.literalTree ? 3u : 2u, (options.literalTree ? 3u : 2u) + 63 + 255,
                      options.dictionary8K ? 7u : 6u, options.dictionary8K ? 8192u : 4096u};
    result.flags = uint16_t((options.dictionary8K ? 2 : 0) | (options.literalTree ? 4 : 0));

    const std::vector<Token> tokens = FindTokens(data, shape, options, result);
    std::vector<uint64_t> literalCounts(256, 0), lengthCounts(64, 0), distanceCounts(64, 0);
    for (const Token& token : tokens) {
        if (token.literal) {
            ++literalCounts[token.byte];
            continue;
        }
        ++result.matches;
        ++lengthCounts[std::min<uint32_t>(token.length - shape.minimumMatch, 63)];
        ++distanceCounts[(token.distance - 1) >> shape.lowBits];
    }
    const Tree literals = MakeTree(literalCounts);
    const Tree lengths = MakeTree(lengthCounts);
    const Tree distances = MakeTree(distanceCounts);

    BitWriter out;
    if (options.literalTree) PutTree(out, literals);
    PutTree(out, lengths);
    PutTree(out, distances);
    for (const Token& token : tokens) {
        if (token.literal) {
            out.Put(1, 1);
            if (options.literalTree)
                PutCode(out, literals, token.byte);
            else
                out.Put(token.byte, 8);
            continue;
        }
        out.Put(0, 1);
        const uint32_t distance = token.distance - 1;
        out.Put(distance & ((1u << shape.lowBits) - 1), shape.lowBits);
        PutCode(out, distances, distance >> shape.lowBits);
        const uint32_t lengthCode = std::min<uint32_t>(token.length - shape.minimumMatch, 63);
        PutCode(out, lengths, lengthCode);
        if (lengthCode == 63) out.Put(token.length - shape.minimumMatch - 63, 8);
    }
    result.compressed = out.Bytes();
    return result;
}

}  // namespace oldzip
