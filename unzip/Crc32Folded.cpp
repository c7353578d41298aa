// CRC-32 by folding with carry-less multiplication (PCLMULQDQ): sixteen bytes at a time
// are multiplied ahead by a power of x modulo the polynomial and added to the bytes that
// lie that far on, four lanes of sixteen bytes abreast. The functions carry a target
// attribute of their own, so the program as a whole still runs on processors without the
// instruction; UpdateCrc32Folded says whether this one has it.
#include "unzip/Crc32.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define TORVEX_CRC_FOLDING 1
#endif

namespace unzip {

#if TORVEX_CRC_FOLDING
namespace {

// x^n modulo the polynomial 104C11DB7 hex, in the usual bit order.
constexpr uint32_t PowerOfXModPolynomial(uint32_t n) {
    uint32_t remainder = 1;
    for (uint32_t i = 0; i < n; ++i)
        remainder = (remainder << 1) ^ ((remainder & 0x80000000u) ? 0x04C11DB7u : 0);
    return remainder;
}

constexpr uint32_t Reflect32(uint32_t value) {
    uint32_t reflected = 0;
    for (int bit = 0; bit < 32; ++bit) reflected |= ((value >> bit) & 1u) << (31 - bit);
    return reflected;
}

// The multiplier that moves sixteen bytes ahead by `distance` bits, for one half of them:
// the low half (the earlier bytes) lies 32 bits further than the high half. Reflected
// and shifted once, because a carry-less product of reflected operands comes out one
// place short.
constexpr uint64_t FoldMultiplier(uint32_t distance, bool lowHalf) {
    return uint64_t(Reflect32(PowerOfXModPolynomial(lowHalf ? distance + 32 : distance - 32))) << 1;
}

constexpr size_t kLane = 16;
constexpr size_t kLanes = 4;

// The multipliers for one lane's length and for all four lanes', worked out while
// compiling.
struct MultiplierPair {
    uint64_t low, high;
};
constexpr MultiplierPair kAcrossOne = {FoldMultiplier(8 * kLane, true),
                                       FoldMultiplier(8 * kLane, false)};
constexpr MultiplierPair kAcrossLanes = {FoldMultiplier(8 * kLane * kLanes, true),
                                         FoldMultiplier(8 * kLane * kLanes, false)};

#define TORVEX_FOLD_TARGET __attribute__((target("pclmul,sse2")))

TORVEX_FOLD_TARGET inline __m128i Multipliers(MultiplierPair pair) {
    return _mm_set_epi64x(int64_t(pair.high), int64_t(pair.low));
}

TORVEX_FOLD_TARGET inline __m128i FoldInto(__m128i lane, __m128i multipliers, __m128i next) {
    const __m128i low = _mm_clmulepi64_si128(lane, multipliers, 0x00);
    const __m128i high = _mm_clmulepi64_si128(lane, multipliers, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

TORVEX_FOLD_TARGET inline __m128i Load(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Needs at least kLanes * kLane bytes; returns the register after the whole bytes of
// `length` rounded down to sixteen, and leaves `p` and `length` at what is left.
TORVEX_FOLD_TARGET uint32_t FoldBlocks(uint32_t crc, const uint8_t*& p, size_t& length) {
    const __m128i acrossLanes = Multipliers(kAcrossLanes);
    const __m128i acrossOne = Multipliers(kAcrossOne);
    __m128i lanes[kLanes];
    for (size_t i = 0; i < kLanes; ++i) lanes[i] = Load(p + i * kLane);
    lanes[0] = _mm_xor_si128(lanes[0], _mm_cvtsi32_si128(int32_t(crc)));
    p += kLanes * kLane;
    length -= kLanes * kLane;
    while (length >= kLanes * kLane) {
        for (size_t i = 0; i < kLanes; ++i)
            lanes[i] = FoldInto(lanes[i], acrossLanes, Load(p + i * kLane));
        p += kLanes * kLane;
        length -= kLanes * kLane;
    }
    __m128i folded = lanes[0];
    for (size_t i = 1; i < kLanes; ++i) folded = FoldInto(folded, acrossOne, lanes[i]);
    while (length >= kLane) {
        folded = FoldInto(folded, acrossOne, Load(p));
        p += kLane;
        length -= kLane;
    }
    // The sixteen bytes left stand for everything folded so far: their CRC from a zero
    // register is the register after it all.
    alignas(16) uint8_t rest[kLane];
    _mm_store_si128(reinterpret_cast<__m128i*>(rest), folded);
    return UpdateCrc32Sliced(0, rest, kLane);
}

// Asked of the processor itself: the compiler's own feature test brings a table of every
// processor it knows (some 5 KB) into a program that must fit on the first floppy.
bool ProcessorFolds() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    return (ecx & bit_PCLMUL) && (edx & bit_SSE2);
}

}  // namespace

bool UpdateCrc32Folded(uint32_t& crc, const void* data, size_t length) {
    static const bool folds = ProcessorFolds();
    if (!folds) return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    if (length >= kLanes * kLane) crc = FoldBlocks(crc, p, length);
    crc = UpdateCrc32Sliced(crc, p, length);
    return true;
}

#else

bool UpdateCrc32Folded(uint32_t&, const void*, size_t) { return false; }

#endif

}  // namespace unzip
