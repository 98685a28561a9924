#pragma once

// Qt's own Hungarian translation, so that what Qt itself writes (the file dialogs, the
// message box buttons, the command line's usage and option errors) speaks Hungarian like
// the rest of the program.

namespace ferolune {

// Installs it in the running application. False when it is not installed on the system.
bool InstallQtHungarianTranslation();

} // namespace ferolune
