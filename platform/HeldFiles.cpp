#include "platform/HeldFiles.h"

namespace plat {

bool HeldFileWaits::Try(const std::function<FileAttempt()>& attempt, const std::function<void(uint32_t)>& pause,
                        const std::function<void()>& waiting) {
    FileAttempt outcome = attempt();
    const size_t pauses = lastingHoldSeen_ ? kPausesAfterALastingHold : kHeldFilePausesMs.size();
    size_t round = 0;
    for (; outcome == FileAttempt::Held && round < pauses; ++round) {
        if (round == 0) waiting();
        pause(kHeldFilePausesMs[round]);
        outcome = attempt();
    }
    if (outcome == FileAttempt::Held) lastingHoldSeen_ = true;
    if (outcome == FileAttempt::Done && round > 0) lastingHoldSeen_ = false;
    return outcome == FileAttempt::Done;
}

}  // namespace plat
