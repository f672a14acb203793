// Whether the X display named by $DISPLAY accepts a connection.
#pragma once

namespace snapshot {

bool displayAvailable();

}  // namespace snapshot
