// The person's network drives, handed by the media instance, which runs as the person,
// to the working copy, which runs with administrator rights and does not see the
// person's drive letters. They follow the media folder in the marker, one a line:
//   N:=\\server\share
// so that the marker's first line stays the media folder, as every reader takes it.
#pragma once

#include <string>

#include "platform/NetworkDrives.h"

namespace core {

// The lines for the marker, each ended by CR LF; empty when there are no drives.
std::string NetworkDriveLines(const plat::NetworkDrives& drives);

// The drives named after the first line of a marker's text; a line of another form is
// passed over.
plat::NetworkDrives ReadNetworkDriveLines(const std::string& markerText);

}  // namespace core
