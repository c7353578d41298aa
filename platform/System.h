// The rest of the running system: where things are, the clock, the plain message
// dialog and the DOS code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/AnsiCodePage.h"

namespace plat {

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class System {
public:
    // Where things are.
    virtual std::string ModuleFileName() = 0;  // full path of the running program
    virtual std::optional<std::string> Environment(const std::string& name) = 0;
    virtual std::string WindowsDirectory() = 0;

    // Whether this program may change the machine: on Windows, a token with the
    // administrators' rights in force (elevated). A tool's platform needs none.
    virtual bool HasAdministratorRights() { return true; }
    // `count` bytes from the system's generator, which nobody can foretell (a tool's
    // platform, which has none, stirs the clock).
    virtual void RandomBytes(void* buffer, size_t count);

    // From now on the system shows no box of its own when a file call meets a drive
    // without a disk: the call just fails, and the program asks for its disks itself.
    virtual void SilenceDriveErrorBoxes() {}

    // The platform's plain message dialog: the text, one OK button, the program's name as
    // title; returns when the user closed it. Not the kit's message box.
    virtual void ShowPlainMessage(const std::string& text) = 0;

    // Clock.
    virtual uint32_t TickCount() = 0;
    virtual LocalTime Now() = 0;
    // The date in the user's short date format, a blank, the time in the long time format.
    virtual std::string FormatDateTime(const LocalTime& time) = 0;

    // A name that one program of the machine holds at a time (Windows: a named mutex of
    // the Global namespace, which every session sees), kept while the claim lives; null
    // when another program still holds it after `waitMs`. A platform with no other
    // programs (a tool's, a fuzzer's) grants every claim.
    class Claim {
    public:
        virtual ~Claim() = default;
    };
    virtual std::unique_ptr<Claim> ClaimName(const std::string& name, uint32_t waitMs);

    // Text in the system's OEM (DOS) code page, as UTF-8. By default IBM 437, the code
    // page of MS-DOS; Windows uses the code page the system is set up with.
    virtual std::string OemToUtf8(std::string_view text);

    // The system's ANSI code page, in which programs of the 8-bit Windows API (the
    // database engine) take and give their texts; 1252 unless a platform says otherwise.
    virtual unsigned AnsiCodePage() { return kCodePageWestern; }
    // UTF-8 in that code page, with the letters it cannot hold; and such text as UTF-8.
    virtual AnsiText Utf8ToAnsi(std::string_view text);
    virtual std::string AnsiToUtf8(std::string_view text);

protected:
    ~System() = default;
};

}  // namespace plat
