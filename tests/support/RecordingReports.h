// The work's reports as a test sees them: every notice told and every heading set is
// kept, and each notice is answered from a queue the test fills in the order the notices
// come. A notice with no answer left is a fault the test sees (Ok, Error); it is answered
// Cancel, so that work which would ask again gives up instead of asking for ever.
//
//   testing_support::RecordingReports reports;
//   reports.Answer(work::Answer::Ok);
//   ... run the work ...
//   EXPECT_TRUE(reports.Ok()) << reports.Error();
//   EXPECT_EQ(reports.notices.at(0).look, work::Look::Error);
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "work/Reports.h"

namespace testing_support {

class RecordingReports : public work::Reports {
public:
    // The answer to the next notice that asks for one; `meanwhile`, when given, is done
    // while that notice is up (the person closes the program that holds a file, say).
    RecordingReports& Answer(work::Answer answer, std::function<void()> meanwhile = {}) {
        answers_.push_back({answer, std::move(meanwhile)});
        return *this;
    }

    work::Answer Tell(const work::Notice& notice) override {
        notices.push_back(notice);
        // The system's plain note waits for nobody, as the pages show it.
        if (notice.plain) return work::Answer::Ok;
        if (answers_.empty()) {
            faults.push_back("no answer left for \"" + notice.text + "\"");
            return work::Answer::Cancel;
        }
        const Given given = std::move(answers_.front());
        answers_.pop_front();
        if (given.meanwhile) given.meanwhile();
        return given.answer;
    }
    void SetHeading(const std::string& heading) override { headings.push_back(heading); }
    void KeepAlive() override {
        if (whileWorking) whileWorking();
    }

    // No notice went unanswered and every answer was used.
    bool Ok() const { return faults.empty() && answers_.empty(); }
    std::string Error() const {
        std::string text;
        for (const std::string& fault : faults) text += fault + "; ";
        if (!answers_.empty()) text += std::to_string(answers_.size()) + " answer(s) never asked for";
        return text;
    }

    std::vector<work::Notice> notices;
    std::vector<std::string> headings;  // in the order they were set; the last is the heading of the moment
    std::vector<std::string> faults;
    // What happens meanwhile, each time the work lets the windows run (another program
    // filling the disk, say).
    std::function<void()> whileWorking;

private:
    struct Given {
        work::Answer answer;
        std::function<void()> meanwhile;
    };
    std::deque<Given> answers_;
};

}  // namespace testing_support
