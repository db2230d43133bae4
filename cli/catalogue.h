// varnock-cli --input csv: a catalogue's rows decoded, each maker and decade its own.
#pragma once

#include "cli_options.h"
#include "output.h"

namespace varnock::cli {

// Reads the catalogue from the files named, or from standard input, and writes a record
// for each decode; the exit status.
int RunCatalogue(const CliOptions& options, Output& out);

}  // namespace varnock::cli
