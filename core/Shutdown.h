// What the program releases when it ends: the database engine and the upgrade library.
#pragma once

namespace core {
void ReleaseOutsideComponents();
}
