// Unshrink: the shrink method's dynamic LZW with code sizes from 9 to 13 bits and partial
// clearing. Codes 257 to 8,192 are either in use (their parent is the code they extend)
// or free (their parent entry holds the negated next free code).
#include <algorithm>
#include <cstring>
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
constexpr uint32_t kOutputSize = 767;  // output leaves in pieces of this size

// Output is decoded into a straight buffer that keeps what was written before it. Each
// code's string is the string of its parent plus one byte, so every code in use whose
// parents are all in use has a known length, and its string can be copied from where it
// last appeared while that is still in the buffer; any other code (one whose parent
// chain ran through a free code, or whose last appearance is gone) is spelled out by
// walking its chain, which is the rule.
class Unshrinker {
public:
    explicit Unshrinker(MemberContext& member)
        : member_(member), output_(new uint8_t[kBufferSize]) {
        for (int32_t code = kFirstCode; code <= kLastCode; ++code) parent_[code] = -(code + 1);
        freeHead_ = kFirstCode;
    }

    int32_t Run() {
        int64_t budget = member_.compressedSize * 8 - kFirstCodeSize;
        int32_t previous = int32_t(TakeBits(member_, codeSize_));
        int64_t previousStart = Emitted();
        uint8_t lead = uint8_t(previous);
        output_[position_++] = lead;
        if (!WriteCompletePieces()) return ZipWriteError;

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

            const int64_t start = Emitted();
            if (code < kControlCode) {
                lead = uint8_t(code);
                output_[position_++] = lead;
            } else if (CopyKnownString(code, previous, previousStart)) {
                lead = output_[start - base_];
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
                output_[position_++] = lead;
                while (depth > 0) output_[position_++] = stack_[--depth];
                if (parent_[code] >= 0) lastStart_[code] = start;
            }
            if (!WriteCompletePieces()) return ZipWriteError;

            if (freeHead_ <= kLastCode) {
                const int32_t added = freeHead_;
                const uint32_t previousLength = KnownLength(previous);
                freeHead_ = -parent_[added];
                parent_[added] = previous;
                suffix_[added] = lead;
                length_[added] = uint16_t(previousLength ? previousLength + 1 : 0);
                lastStart_[added] = previousStart;
            }
            previous = code;
            previousStart = start;
        }
        if (member_.abort) return ZipUserAbort;
        return WriteOutput(member_, output_.get() + unwritten_, position_ - unwritten_) ? ZipOk
                                                                                       : ZipWriteError;
    }

private:
    // Output kept for copying strings, and where the buffer moves it back to the front.
    static constexpr uint32_t kKept = 131072;
    static constexpr uint32_t kMoveAt = 4 * kKept;
    static constexpr uint32_t kBufferSize = kMoveAt + kStackSize + 2;

    // Bytes of output so far.
    int64_t Emitted() const { return base_ + position_; }

    // The length of a code's string when it is sure: a byte, or a code in use whose
    // chain runs through codes in use only; 0 when only walking the chain can tell.
    uint32_t KnownLength(int32_t code) const {
        if (code < kControlCode) return 1;
        return code > kControlCode && parent_[code] >= 0 ? length_[code] : 0;
    }

    // Puts the string of `code` by copying it from where it last appeared; for a code not
    // yet defined, the previous string and its first byte. False when that cannot be
    // done and the chain must be walked.
    bool CopyKnownString(int32_t code, int32_t previous, int64_t previousStart) {
        uint8_t* const to = output_.get() + position_;
        if (parent_[code] >= 0) {
            const uint32_t length = KnownLength(code);
            const int64_t from = lastStart_[code];
            if (length == 0 || from < base_) return false;
            std::memcpy(to, output_.get() + (from - base_), length);
            lastStart_[code] = Emitted();
            position_ += length;
            return true;
        }
        const uint32_t length = KnownLength(previous);
        if (length == 0) return false;
        // The previous string was the last thing put, so it is still in the buffer.
        std::memcpy(to, output_.get() + (previousStart - base_), length);
        to[length] = to[0];
        position_ += length + 1;
        return true;
    }

    // Writes every complete piece of 767 bytes, and moves the output kept for copying
    // back to the front when the buffer is nearly full.
    bool WriteCompletePieces() {
        while (position_ - unwritten_ >= kOutputSize) {
            if (!WriteOutput(member_, output_.get() + unwritten_, kOutputSize)) return false;
            unwritten_ += kOutputSize;
        }
        if (position_ >= kMoveAt) {
            const uint32_t keepFrom = position_ - kKept;
            std::memmove(output_.get(), output_.get() + keepFrom, kKept);
            base_ += keepFrom;
            unwritten_ -= keepFrom;
            position_ = kKept;
        }
        return true;
    }

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
    uint16_t length_[kLastCode + 1] = {};    // see KnownLength
    int64_t lastStart_[kLastCode + 1] = {};  // where the string last began in the output
    uint32_t extended_[kLastCode + 1] = {};  // == clearStamp_: extended by another code
    uint32_t clearStamp_ = 0;
    uint8_t stack_[kStackSize];
    // Decoded output: bytes before `unwritten_` are written and kept for copying only.
    std::unique_ptr<uint8_t[]> output_;
    uint32_t position_ = 0;
    uint32_t unwritten_ = 0;
    int64_t base_ = 0;  // output bytes before the buffer's first
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
