// What the work tells the user, shown in the kit's message boxes: the pages hand one of
// these to the work they start.
#pragma once

#include "work/Reports.h"

namespace pages {

class BoxReports : public work::Reports {
public:
    work::Answer Tell(const work::Notice& notice) override;
    void SetHeading(const std::string& heading) override;
    void KeepAlive() override;
};

}  // namespace pages
