// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Text placed in element content or in a single-quoted attribute: & < > and
// ' become entities, so a loaded text can neither break the page nor run script.
std::string EscapeHtml(std::string_view text);

// A file name placed in a single-quoted SRC attribute: HTML-escaped, and the
// characters that a URL would read as query, fragment or escape (? # %) are
// percent-encoded so the browser asks for the file that was written.
std::string EscapeFileNameForSrc(std::string_view name);
