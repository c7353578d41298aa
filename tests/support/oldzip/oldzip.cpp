// oldzip: writes an archive whose members are shrunk or imploded by the test encoders.
//   oldzip shrink|implode4k|implode8k|implode8k-literals ARCHIVE FILE...
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/oldzip/ZipWriter.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: oldzip shrink|implode4k|implode8k|implode8k-literals ARCHIVE FILE...\n",
                   stderr);
        return 3;
    }
    const std::string method = argv[1];
    std::vector<oldzip::ZipMember> members;
    for (int i = 3; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "oldzip: cannot read %s\n", argv[i]);
            return 2;
        }
        std::string content((std::istreambuf_iterator<char>(in)), {});
        std::string name = argv[i];
        while (!name.empty() && name[0] == '/') name.erase(0, 1);
        if (method == "shrink")
            members.push_back(oldzip::ShrunkMember(name, content));
        else if (method == "implode4k")
            members.push_back(oldzip::ImplodedMember(name, content, false, false));
        else if (method == "implode8k")
            members.push_back(oldzip::ImplodedMember(name, content, true, false));
        else if (method == "implode8k-literals")
            members.push_back(oldzip::ImplodedMember(name, content, true, true));
        else {
            std::fprintf(stderr, "oldzip: unknown method %s\n", method.c_str());
            return 3;
        }
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << oldzip::WriteZip(members);
    return out.good() ? 0 : 2;
}
