// A file this program has just written may be held for a moment by another program that
// opens every new file (an antivirus, the search indexer): renaming, removing or creating
// it fails meanwhile with a sharing violation or access denied. Such an operation is tried
// again after growing pauses, about five seconds in all; a file still held then is left
// to the caller's report.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace plat {

// The pauses before each new attempt, in milliseconds: short at first, since most holds
// end within a scan, and 5 seconds in all.
inline constexpr std::array<uint32_t, 7> kHeldFilePausesMs = {50, 100, 200, 400, 800, 1450, 2000};

// What one attempt of a file operation came to.
enum class FileAttempt {
    Done,
    Held,    // another program holds the file: it may let go soon
    Failed,  // anything else: no attempt would do better
};

// How long this program waits for held files. A file still held after the whole wait is
// kept open by a program that runs, not by a scan, and the files after it most likely by
// the same program: they get only the first, short pauses, until a hold ends again while
// waited for. A file in use thus costs the whole wait once, not once for each file.
class HeldFileWaits {
public:
    // Runs `attempt` until it is done, fails for another reason than a hold, or the pauses
    // are spent. `pause` waits the given milliseconds; `waiting` is called once, before
    // the first pause. True when an attempt was done.
    bool Try(const std::function<FileAttempt()>& attempt, const std::function<void(uint32_t)>& pause,
             const std::function<void()>& waiting);

private:
    bool lastingHoldSeen_ = false;
};

// The pauses a file gets once a hold has lasted through the whole wait.
inline constexpr size_t kPausesAfterALastingHold = 3;

}  // namespace plat
