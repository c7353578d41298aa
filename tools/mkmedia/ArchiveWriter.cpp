#include "tools/mkmedia/ArchiveWriter.h"

#include <zip.h>

#include <algorithm>

namespace mkmedia {

namespace {

namespace fs = std::filesystem;

struct Member {
    fs::path file;
    std::string storedName;  // '/' separates folders, as the ZIP format writes it
};

std::string LibzipError(zip_t* archive) { return zip_error_strerror(zip_get_error(archive)); }

bool WriteArchive(const std::vector<Member>& members, const fs::path& path, const ProgressFn& progress,
                  std::string* error) {
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, code);
        *error = "cannot create " + path.string() + ": " + zip_error_strerror(&reason);
        zip_error_fini(&reason);
        return false;
    }
    for (const Member& member : members) {
        zip_source_t* source = zip_source_file(archive, member.file.c_str(), 0, -1);
        zip_int64_t index = source ? zip_file_add(archive, member.storedName.c_str(), source, ZIP_FL_ENC_GUESS) : -1;
        if (index < 0 || zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 9) < 0) {
            if (source && index < 0) zip_source_free(source);
            *error = "cannot add " + member.file.string() + ": " + LibzipError(archive);
            zip_discard(archive);
            return false;
        }
    }
    if (progress) {
        // libzip keeps a pointer to the callback's state until the archive is closed.
        zip_register_progress_callback_with_state(
            archive, 0.01, [](zip_t*, double done, void* state) { (*static_cast<const ProgressFn*>(state))(done); },
            nullptr, const_cast<ProgressFn*>(&progress));
    }
    if (zip_close(archive) < 0) {
        *error = "cannot write " + path.string() + ": " + LibzipError(archive);
        zip_discard(archive);
        return false;
    }
    return true;
}

}  // namespace

bool WriteFolderArchive(const fs::path& folder, const fs::path& archive, const ProgressFn& progress,
                        std::string* error) {
    std::vector<Member> members;
    std::error_code failure;
    for (fs::recursive_directory_iterator it(folder, failure), end; !failure && it != end; it.increment(failure))
        if (it->is_regular_file()) members.push_back({it->path(), it->path().lexically_relative(folder).generic_string()});
    if (failure) {
        *error = "cannot read " + folder.string() + ": " + failure.message();
        return false;
    }
    if (members.empty()) {
        *error = folder.string() + " holds no files";
        return false;
    }
    std::sort(members.begin(), members.end(), [](const Member& a, const Member& b) { return a.storedName < b.storedName; });
    return WriteArchive(members, archive, progress, error);
}

bool WriteFilesArchive(const std::vector<fs::path>& files, const fs::path& archive, const ProgressFn& progress,
                       std::string* error) {
    std::vector<Member> members;
    for (const fs::path& file : files) members.push_back({file, file.filename().string()});
    return WriteArchive(members, archive, progress, error);
}

}  // namespace mkmedia
