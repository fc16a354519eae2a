// The settings file as mireto-convert uses it: read exactly as the editor reads it at
// start-up, into a conversion session, and never written.
#pragma once

#include "cli/cli_options.h"
#include "convert/conversion_session.h"

#include <optional>
#include <string>

namespace mireto::cli {

// Starts `session` from `path`, or without one from the file the editor would read at
// start-up (its Mireto.ini, or the starter settings while there is none). Returns an
// error for a file that cannot be read; only a file that is not there leaves the
// editor's defaults, as it does for the editor. `warning` says, the conversion going on,
// that a file named by `path` is not one the program writes (plain text, random bytes,
// a value no dialog makes); an empty file asks for the defaults and gets no warning.
std::string loadCliSettings(const std::optional<std::string>& path, ConversionSession& session,
                            std::string& warning);

// Picks --template, then --ending and --replacement, each overriding what came before
// (the file's current selections when none is given). Names on the command line are
// UTF-8. Returns an error for a name that names nothing stored.
std::string chooseFromSettings(ConversionSession& session, const CliOptions& options);

// The stored overall templates, ending sets and replacement sets by name (UTF-8),
// one a line under a heading each, as the editor's lists show them. A control
// character in a name is shown as \xNN (or \u{NN} beyond ASCII), never sent to the
// terminal as it is.
std::string listSettings(const ConversionSession& session);

} // namespace mireto::cli
