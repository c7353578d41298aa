#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "tests/unit/unzip/MemoryFile.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/ReadAheadFile.h"
#include "unzip/WriteBehindFile.h"

namespace {

TEST(ReadAheadFile, ReadsAndSeeksGiveWhatTheFileGives) {
    const std::string bytes = unzip_test::RandomBytes(300000, 5);
    unzip::ReadAheadFile ahead(std::make_unique<unzip_test::MemoryFile>(bytes));
    unzip_test::MemoryFile direct(bytes);
    std::mt19937 random(3);
    std::string got(200000, '\0'), expected(200000, '\0');
    for (int step = 0; step < 3000; ++step) {
        if (random() % 5 == 0) {
            // Anywhere, or a little way from here (inside the piece read last, as the
            // members of an archive follow each other).
            const int64_t near = direct.Position() + int64_t(random() % 9000) - 3000;
            const int64_t to = random() % 2 ? int64_t(random() % (bytes.size() + 10))
                                            : std::max<int64_t>(0, near);
            ASSERT_EQ(ahead.Seek(to), direct.Seek(to));
        }
        // Small reads as the decoders make them, and large ones as the stored copy does.
        const int64_t count = random() % 3 ? int64_t(random() % 5000) : int64_t(random() % 200000);
        ASSERT_EQ(ahead.Read(got.data(), count), direct.Read(expected.data(), count)) << step;
        ASSERT_EQ(got.compare(0, size_t(count), expected, 0, size_t(count)), 0) << step;
        ASSERT_EQ(ahead.Position(), direct.Position()) << step;
    }
}

// Writes of every size, small ones gathered, reach the file whole and in order; a file
// that fails part-way fails the write or the flush that meets it.
TEST(WriteBehindFile, WritesArriveInOrderAndFailuresAreReported) {
    const std::string bytes = unzip_test::RandomBytes(400000, 6);
    std::mt19937 random(4);
    for (const int64_t failAfter : {int64_t(-1), int64_t(100000), int64_t(399999)}) {
        auto memory = std::make_unique<unzip_test::MemoryFile>();
        unzip_test::MemoryFile& file = *memory;
        if (failAfter >= 0) file.FailWritesAfter(failAfter);
        unzip::WriteBehindFile behind(std::move(memory));
        bool allTaken = true;
        for (size_t at = 0; at < bytes.size();) {
            const size_t count = std::min<size_t>(bytes.size() - at,
                                                  random() % 4 ? 767 : random() % 70000);
            allTaken = behind.Write(bytes.data() + at, int64_t(count)) == int64_t(count) && allTaken;
            at += count;
        }
        allTaken = behind.Flush() && allTaken;
        if (failAfter < 0) {
            EXPECT_TRUE(allTaken);
            EXPECT_TRUE(file.Bytes() == bytes);
        } else {
            EXPECT_FALSE(allTaken) << failAfter;
            EXPECT_TRUE(bytes.compare(0, file.Bytes().size(), file.Bytes()) == 0) << failAfter;
        }
    }
}

}  // namespace
