// The one way the configuration steps and the installation's record tell of a failure.
#include "core/Log.h"
#include "work/configure/ConfigSteps.h"

namespace work {

void ReportError(Reports& reports, const std::string& text) {
    core::LogNote(text);
    Notice notice;
    notice.text = text;
    notice.title = kErrorBoxTitle;
    reports.Tell(notice);
}

}  // namespace work
