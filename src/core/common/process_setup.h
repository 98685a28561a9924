#pragma once

// What the process sets before anything else, window or command line.

#include <QDateTime>

#include <optional>

namespace ferolune {

// Qt's own warnings (in English, for developers) never reach the user, and a reader that
// goes away from a FIFO or pipe being written makes the write fail with a message instead
// of ending the program. Standard input, output and error are held open: one the program
// was started without is opened on /dev/null, so that no file the program opens later
// takes its number and receives what was meant for the terminal. With SOURCE_DATE_EPOCH
// set, Qt's hashes are seeded the same in every run, so that files come out byte for byte
// the same. Call it before Qt starts.
void PrepareProcess();

// Whether the program was started with its standard output closed (PrepareProcess tells).
bool StandardOutputWasClosed();

// The moment SOURCE_DATE_EPOCH names (seconds since 1970 in UTC), when it is set to one.
std::optional<QDateTime> SourceDateEpoch();

// The moment a file the program writes says it was made: SOURCE_DATE_EPOCH, else now (UTC).
QDateTime FileStamp();

} // namespace ferolune
