#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "tests/unit/unzip/MemoryFile.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/ReadAheadFile.h"

namespace {

TEST(ReadAheadFile, ReadsAndSeeksGiveWhatTheFileGives) {
    const std::string bytes = unzip_test::RandomBytes(300000, 5);
    unzip::ReadAheadFile ahead(std::make_unique<unzip_test::MemoryFile>(bytes));
    unzip_test::MemoryFile direct(bytes);
    std::mt19937 random(3);
    std::string got(200000, '\0'), expected(200000, '\0');
    for (int step = 0; step < 400; ++step) {
        if (random() % 5 == 0) {
            const int64_t to = int64_t(random() % (bytes.size() + 10));
            ASSERT_EQ(ahead.Seek(to), direct.Seek(to));
        }
        // Small reads as the decoders make them, and large ones as the stored copy does.
        const int64_t count = random() % 3 ? int64_t(random() % 5000) : int64_t(random() % 200000);
        ASSERT_EQ(ahead.Read(got.data(), count), direct.Read(expected.data(), count)) << step;
        ASSERT_EQ(got.compare(0, size_t(count), expected, 0, size_t(count)), 0) << step;
        ASSERT_EQ(ahead.Position(), direct.Position()) << step;
    }
}

}  // namespace
