// How the work tells the person at the screen what happened, and asks what to do. The
// work has no window: it describes each box as a Notice, and whoever started it shows the
// notice (the pages, with the kit's message box) or reads it (the tests, with a script).
//
//   Notice disk;
//   disk.text = "Introduceti discheta 2";
//   disk.look = Look::Warning;
//   disk.choices = Choices::OkCancel;
//   disk.purpose = Purpose::MediaRequest;
//   if (reports.Tell(disk) == Answer::Cancel) ...
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace work {

enum class Look { Error, Warning };
enum class Choices { Ok, OkCancel, RetryCancel, CancelOnly, YesNo };
// What the box is for, to whoever answers boxes when nobody sits at the screen: by its
// look (an error is a failure, a warning a report) unless it says otherwise. A decision
// follows a failure and asks what becomes of the work: with nobody there, its first
// choice (the safe one) is taken and the run counts as failed.
enum class Purpose { ByLook, Report, Failure, MediaRequest, Decision };

struct Notice {
    std::string text;
    std::string title;
    Look look = Look::Error;
    Choices choices = Choices::Ok;
    Purpose purpose = Purpose::ByLook;
    bool leftAligned = false;
    // The heading shown above the text while the box is up, instead of the heading of
    // the moment (Reports::SetHeading), which comes back afterwards.
    std::optional<std::string> heading;
    // The system's plain message dialog rather than the program's box: a note that only
    // says something went wrong on the way out.
    bool plain = false;
};

// A warning that asks about a list (files, steps): its lines left-aligned, and no heading
// above it, since its own first line says what it is about.
inline Notice ListQuestion(std::string text, std::string title, Choices choices, Purpose purpose) {
    Notice notice;
    notice.text = std::move(text);
    notice.title = std::move(title);
    notice.look = Look::Warning;
    notice.choices = choices;
    notice.purpose = purpose;
    notice.leftAligned = true;
    notice.heading = "";
    return notice;
}

// Ok: the first choice (OK, Retry, Yes); Cancel (Cancel, No); Other: the box was closed
// some other way.
enum class Answer { Ok, Cancel, Other };

class Reports {
public:
    virtual ~Reports() = default;
    // Shows the notice and waits for the answer.
    virtual Answer Tell(const Notice& notice) = 0;
    // The heading of the moment: shown above the text of every box that has none of its
    // own, from now on.
    virtual void SetHeading(const std::string& heading) = 0;
    // Lets the windows repaint and answer the person during a long piece of work.
    virtual void KeepAlive() = 0;
};

}  // namespace work
