// Unshrink: the shrink method's dynamic LZW with code sizes from 9 to 13 bits and partial
// clearing. Codes 257 to 8,192 are either in use (their parent is the code they extend)
// or free (their parent entry holds the negated next free code).
#include <algorithm>
#include <memory>

#include "unzip/BitSources.h"
#include "unzip/Decoders.h"
#include "unzip/ZipCodes.h"

namespace unzip {

namespace {

constexpr int32_t kFirstCode = 257;
constexpr int32_t kLastCode = 8192;
constexpr int32_t kEndOfFreeList = kLastCode + 1;
constexpr int32_t kControlCode = 256;
constexpr int32_t kControlGrow = 1;
constexpr int32_t kControlPartialClear = 2;
constexpr uint32_t kFirstCodeSize = 9;
constexpr uint32_t kLargestCodeSize = 13;
constexpr uint32_t kStackSize = 8193;
constexpr uint32_t kOutputSize = 767;

class Unshrinker {
public:
    explicit Unshrinker(MemberContext& member) : member_(member) {
        for (int32_t code = kFirstCode; code <= kLastCode; ++code) parent_[code] = -(code + 1);
        freeHead_ = kFirstCode;
    }

    int32_t Run() {
        int64_t budget = member_.compressedSize * 8 - kFirstCodeSize;
        int32_t previous = int32_t(TakeBits(member_, codeSize_));
        uint8_t lead = uint8_t(previous);
        if (!Put(lead)) return ZipWriteError;

        while (!member_.abort && budget >= int64_t(codeSize_)) {
            // A stream said to be longer than the archive would otherwise run on stale
            // input for as many codes as its size promises.
            if (member_.endOfInput) return ZipReadError;
            const int32_t code = TakeCode();
            budget -= codeSize_;

            if (code == kControlCode) {
                const int32_t control = TakeCode();
                budget -= codeSize_;
                if (control == kControlGrow) {
                    if (++codeSize_ > kLargestCodeSize) return ZipDataError;
                } else if (control == kControlPartialClear) {
                    PartialClear();
                } else {
                    return ZipDataError;
                }
                continue;
            }

            if (code < kControlCode) {
                lead = uint8_t(code);
                if (!Put(lead)) return ZipWriteError;
            } else {
                uint32_t depth = 0;
                int32_t walk = code;
                if (parent_[code] < 0) {  // not yet defined: previous string + its first byte
                    stack_[depth++] = lead;
                    walk = previous;
                }
                depth = PushChain(parent_, suffix_, stack_, depth, walk);
                if (depth > kStackSize) return ZipDataError;  // a chain with a loop
                lead = uint8_t(walk);
                if (!Put(lead) || !PutReversed(depth)) return ZipWriteError;
            }

            if (freeHead_ <= kLastCode) {
                const int32_t added = freeHead_;
                freeHead_ = -parent_[added];
                parent_[added] = previous;
                suffix_[added] = lead;
            }
            previous = code;
        }
        if (member_.abort) return ZipUserAbort;
        return WriteOutput(member_, output_, outputCount_) ? ZipOk : ZipWriteError;
    }

private:
    // Pushes the suffixes along the chain from `walk` down to its first byte, which is
    // left in `walk`. Returns the new depth, or more than the stack holds for a chain that
    // loops. Plain pointers keep the loop free of reloads through `this`.
    static uint32_t PushChain(const int32_t* parent, const uint8_t* suffix, uint8_t* stack,
                              uint32_t depth, int32_t& walk) {
        int32_t at = walk;
        while (at > kControlCode) {
            if (depth == kStackSize) return kStackSize + 1;
            stack[depth++] = suffix[at];
            at = parent[at];
        }
        walk = at;
        return depth;
    }

    // A code of the current size; whole bytes of the input block are loaded at once while
    // the block has them, so input is read at the same points as byte by byte.
    int32_t TakeCode() {
        if (!RegisterBits::CanLoad(member_)) return int32_t(TakeBits(member_, codeSize_));
        RegisterBits bits(member_);
        bits.Load();
        const int32_t code = int32_t(TakeNumber(bits, codeSize_));
        bits.StoreInto(member_);
        return code;
    }

    // Puts the stack's bytes, the most recently pushed first, and empties it.
    bool PutReversed(uint32_t depth) {
        while (depth > 0) {
            const uint32_t run = std::min(depth, kOutputSize - outputCount_);
            for (uint32_t i = 0; i < run; ++i) output_[outputCount_ + i] = stack_[depth - 1 - i];
            outputCount_ += run;
            depth -= run;
            if (outputCount_ == kOutputSize) {
                outputCount_ = 0;
                if (!WriteOutput(member_, output_, kOutputSize)) return false;
            }
        }
        return true;
    }

    bool Put(uint8_t byte) {
        output_[outputCount_++] = byte;
        if (outputCount_ < kOutputSize) return true;
        outputCount_ = 0;
        return WriteOutput(member_, output_, kOutputSize);
    }

    // Frees every leaf of the tree: every code in use that no code in use extends, wherever
    // it lies in the table (also above codes that an earlier clear freed and that still
    // wait to be reused). The freed codes and those still free become the free list,
    // lowest first, as the format asks.
    void PartialClear() {
        ++clearStamp_;
        for (int32_t code = kFirstCode; code <= kLastCode; ++code)
            if (parent_[code] >= kFirstCode) extended_[parent_[code]] = clearStamp_;
        int32_t last = 0;
        freeHead_ = kEndOfFreeList;
        for (int32_t code = kFirstCode; code <= kLastCode; ++code) {
            if (parent_[code] >= 0 && extended_[code] == clearStamp_) continue;
            if (last)
                parent_[last] = -code;
            else
                freeHead_ = code;
            last = code;
        }
        if (last) parent_[last] = -kEndOfFreeList;
    }

    MemberContext& member_;
    uint32_t codeSize_ = kFirstCodeSize;
    int32_t freeHead_ = kFirstCode;
    // Indexed by code; entries below 257 are not used.
    int32_t parent_[kLastCode + 1];
    uint8_t suffix_[kLastCode + 1] = {};
    uint32_t extended_[kLastCode + 1] = {};  // == clearStamp_: extended by another code
    uint32_t clearStamp_ = 0;
    uint8_t stack_[kStackSize];
    uint8_t output_[kOutputSize];
    uint32_t outputCount_ = 0;
};

}  // namespace

int32_t Unshrink(MemberContext& member) {
    if ((member.flags & kFlagDataDescriptor) && member.compressedSize == kUnknownSize)
        return ZipUnsupported;
    member.ResetInput();
    // An empty stream holds no first code to take.
    if (member.compressedSize == 0) return ZipOk;
    auto unshrinker = std::make_unique<Unshrinker>(member);
    return unshrinker->Run();
}

}  // namespace unzip
