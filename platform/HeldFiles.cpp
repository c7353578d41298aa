#include "platform/HeldFiles.h"

namespace plat {

bool TryWhileHeld(const std::function<FileAttempt()>& attempt, const std::function<void(uint32_t)>& pause,
                  const std::function<void()>& waiting) {
    FileAttempt outcome = attempt();
    for (size_t round = 0; outcome == FileAttempt::Held && round < kHeldFilePausesMs.size(); ++round) {
        if (round == 0) waiting();
        pause(kHeldFilePausesMs[round]);
        outcome = attempt();
    }
    return outcome == FileAttempt::Done;
}

}  // namespace plat
