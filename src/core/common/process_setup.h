#pragma once

// What the process sets before anything else, window or command line.

namespace ferolune {

// Qt's own warnings (in English, for developers) never reach the user, and a reader that
// goes away from a FIFO or pipe being written makes the write fail with a message instead
// of ending the program.
void PrepareProcess();

} // namespace ferolune
