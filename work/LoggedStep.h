// A step of a page's work between its BEGIN and END lines in the run log: the END line is
// written however the step returns.
#pragma once

#include <string>

#include "core/Log.h"

namespace work {

class LoggedStep {
public:
    explicit LoggedStep(std::string name) : name_(std::move(name)) { core::LogBegin(name_); }
    ~LoggedStep() { core::LogEnd(name_); }
    LoggedStep(const LoggedStep&) = delete;
    LoggedStep& operator=(const LoggedStep&) = delete;

private:
    std::string name_;
};

}  // namespace work
