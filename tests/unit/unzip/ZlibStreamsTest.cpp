// Deflate streams shaped on purpose by an independent compressor (Python's zlib, which
// zip and zipfile use too): a single fixed block, many dynamic blocks, empty stored
// blocks from sync flushes, stored-only streams, long runs at distance 1 and matches
// across the window's end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/oldzip/ReferenceCrc.h"
#include "tests/support/oldzip/ZipWriter.h"
#include "tests/unit/unzip/UnzipFixture.h"
#include "unzip/Extraction.h"
#include "unzip/ZipCodes.h"

namespace {

class ZlibStreams : public unzip_test::UnzipTest {
protected:
    std::string HostFile(const std::string& name) {
        std::ifstream in(Host("C:\\Z") + "/" + name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
};

TEST_F(ZlibStreams, EveryShapeDecodes) {
    MakeFolders("C:\\Z");
    const std::string folder = Host("C:\\Z");
    ASSERT_TRUE(Python(
        "import random, zlib\n"
        "folder = r'" + folder + "'\n"
        "rng = random.Random(7)\n"
        "words = [bytes(rng.choice(b'abcdefghijklmnop') for _ in range(rng.randint(2, 9))) for _ in range(400)]\n"
        "text = b' '.join(rng.choice(words) for _ in range(60000))\n"
        "noise = bytes(rng.getrandbits(8) for _ in range(50000))\n"
        "pattern = bytes(rng.getrandbits(8) for _ in range(150))\n"
        "def raw(level=6, strategy=zlib.Z_DEFAULT_STRATEGY):\n"
        "    return zlib.compressobj(level, zlib.DEFLATED, -15, 9, strategy)\n"
        "def save(name, content, packed):\n"
        "    open(folder + '/' + name + '.data', 'wb').write(content)\n"
        "    open(folder + '/' + name + '.raw', 'wb').write(packed)\n"
        "c = raw(strategy=zlib.Z_FIXED); save('fixed', text[:3000], c.compress(text[:3000]) + c.flush())\n"
        "c = raw(9); save('dynamic', text, c.compress(text) + c.flush())\n"
        "c = raw(); parts = [c.compress(text[i:i + 7000]) + c.flush(zlib.Z_SYNC_FLUSH) for i in range(0, 70000, 7000)]\n"
        "save('syncflush', text[:70000], b''.join(parts) + c.flush())\n"
        "c = raw(0); save('stored', noise, c.compress(noise) + c.flush())\n"
        "c = raw(); save('run', b'x' + b'a' * 100000, c.compress(b'x' + b'a' * 100000) + c.flush())\n"
        "periodic = pattern * 1000\n"
        "c = raw(); save('wrap', periodic, c.compress(periodic) + c.flush())\n"
        "mixed = noise[:20000] + text[:100000] + noise[20000:]\n"
        "c = raw(); save('mixed', mixed, c.compress(mixed) + c.flush())\n"));

    const std::vector<std::string> shapes = {"fixed", "dynamic", "syncflush", "stored", "run", "wrap", "mixed"};
    std::vector<oldzip::ZipMember> members;
    for (const std::string& shape : shapes)
        members.push_back(oldzip::PackedMember(shape + ".out", 8, 0, HostFile(shape + ".raw"),
                                               HostFile(shape + ".data")));
    PutFile("C:\\ZLIB.ZIP", oldzip::WriteZip(members));
    std::vector<unzip_test::ReportCall> calls;
    EXPECT_EQ(unzip::ExtractArchive("C:\\ZLIB.ZIP", "C:\\OUT", "", Recorder(calls), nullptr),
              int32_t(shapes.size()));
    for (const std::string& shape : shapes) {
        const std::string expected = HostFile(shape + ".data");
        ASSERT_FALSE(expected.empty()) << shape;
        EXPECT_TRUE(ReadFile("C:\\OUT\\" + shape + ".out") == expected) << shape;
    }
}

}  // namespace
