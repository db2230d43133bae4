// The system's streams as the fuzz targets stand in for them: standard input holds the
// text last fed, standard output is kept, and no file can be opened.
#pragma once

#include <string>
#include <string_view>

namespace varnock::cli::fuzz {

// Makes `text` all that standard input holds. In pieces, each read takes 1 to 8 bytes,
// as many as the text's last byte and the count of reads give (not its first byte, so
// that a byte-order mark can be split too); else a read takes all it has room for.
void Feed(std::string_view text, bool in_pieces);

// What went to standard output; the caller clears it.
std::string& Written();

}  // namespace varnock::cli::fuzz
