#include "tests/support/oldzip/ShrinkEncoder.h"

#include <unordered_map>
#include <vector>

#include "tests/support/oldzip/BitWriter.h"

namespace oldzip {

namespace {

constexpr int kFirstCode = 257;
// The decoder's table reaches code 8,192, but Info-ZIP's stops at 8,191 and refuses a
// stream that needs an entry when its table is full. Keeping to 8,191 and clearing the
// moment the last code is handed out makes streams that both read the same way.
constexpr int kLastCode = 8191;
constexpr int kControl = 256;

class ShrinkModel {
public:
    ShrinkModel() : parent_(kLastCode + 2, 0), suffix_(kLastCode + 2, 0) {
        for (int code = kFirstCode; code <= kLastCode; ++code) parent_[code] = -(code + 1);
    }

    // The longest string at `position` that a used code stands for; returns its code and
    // sets `length`.
    int LongestMatch(const std::string& data, size_t position, size_t& length) const {
        int code = uint8_t(data[position]);
        length = 1;
        while (position + length < data.size()) {
            auto found = children_.find(Key(code, uint8_t(data[position + length])));
            if (found == children_.end()) break;
            code = found->second;
            ++length;
        }
        return code;
    }

    // What the decoder does after it has output a string: the next free code extends
    // the previous code with the first byte of this string.
    void AddAfter(int previous, uint8_t firstByte) {
        if (freeHead_ > kLastCode) return;
        const int added = freeHead_;
        freeHead_ = -parent_[added];
        parent_[added] = previous;
        suffix_[added] = firstByte;
        children_.emplace(Key(previous, firstByte), added);
    }

    bool Full() const { return freeHead_ > kLastCode; }
    // One free code left: the next code sent fills the table.
    bool LastFreeCode() const { return !Full() && -parent_[freeHead_] > kLastCode; }

    void PartialClear() {
        std::vector<bool> extended(kLastCode + 2, false);
        for (int code = kFirstCode; code <= kLastCode; ++code)
            if (parent_[code] >= kFirstCode) extended[parent_[code]] = true;
        int last = 0;
        freeHead_ = kLastCode + 1;
        for (int code = kFirstCode; code <= kLastCode; ++code) {
            const bool used = parent_[code] >= 0;
            if (used && extended[code]) continue;
            if (used) {  // a leaf: forget its string
                auto found = children_.find(Key(parent_[code], suffix_[code]));
                if (found != children_.end() && found->second == code) children_.erase(found);
            }
            if (last)
                parent_[last] = -code;
            else
                freeHead_ = code;
            last = code;
        }
        if (last) parent_[last] = -(kLastCode + 1);
    }

private:
    static uint32_t Key(int code, uint8_t byte) { return uint32_t(code) << 8 | byte; }

    std::vector<int> parent_;
    std::vector<uint8_t> suffix_;
    std::unordered_map<uint32_t, int> children_;
    int freeHead_ = kFirstCode;
};

class CodeSender {
public:
    explicit CodeSender(ShrinkResult& result) : result_(result) {}

    void Send(int code) {
        while (code >= (1 << codeSize_)) Grow();
        bits_.Put(uint32_t(code), uint32_t(codeSize_));
    }
    void Grow() {
        bits_.Put(kControl, uint32_t(codeSize_));
        bits_.Put(1, uint32_t(codeSize_));
        ++codeSize_;
        if (codeSize_ > result_.largestCodeSize) result_.largestCodeSize = codeSize_;
    }
    void PartialClear() {
        bits_.Put(kControl, uint32_t(codeSize_));
        bits_.Put(2, uint32_t(codeSize_));
        ++result_.partialClears;
    }
    int CodeSize() const { return codeSize_; }
    std::string Bytes() const { return bits_.Bytes(); }

private:
    ShrinkResult& result_;
    BitWriter bits_;
    int codeSize_ = 9;
};

}  // namespace

ShrinkResult Shrink(const std::string& data, const ShrinkOptions& options) {
    ShrinkResult result;
    if (data.empty()) return result;
    ShrinkModel model;
    CodeSender sender(result);
    bool askedForFourteen = false;
    long sent = 0;

    int previous = uint8_t(data[0]);
    sender.Send(previous);
    size_t position = 1;
    while (position < data.size()) {
        size_t length = 1;
        // The code sent just before a partial clear is extended by the decoder right
        // after the clear; a literal cannot have been freed by it.
        const bool clearsNext = options.clearEvery > 0 && (sent + 1) % options.clearEvery == 0;
        const bool fillsTable = (options.partialClearWhenFull && model.LastFreeCode()) || clearsNext;
        const int code = fillsTable ? uint8_t(data[position])
                                    : model.LongestMatch(data, position, length);
        sender.Send(code);
        model.AddAfter(previous, uint8_t(data[position]));
        previous = code;
        position += length;

        if (options.askForFourteenBits && !askedForFourteen && sender.CodeSize() == 13) {
            sender.Grow();
            askedForFourteen = true;
        }
        ++sent;
        if ((options.partialClearWhenFull && model.Full()) || clearsNext) {
            sender.PartialClear();
            model.PartialClear();
        }
    }
    result.compressed = sender.Bytes();
    return result;
}

}  // namespace oldzip
