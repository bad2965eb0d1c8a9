// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

// Reduces RTF to the plain text a reader sees: groups and destinations are
// followed, destinations without document text are dropped, paragraph marks
// become line feeds, line breaks and table rows line feeds, cells tabs,
// formatting is not carried over. Non-ASCII characters come out as UTF-8:
// \uN (its \ucN fallback skipped), \'hh and raw bytes that are no UTF-8 in
// the code page of the current font or the document (Windows-1252 when none
// is named), raw UTF-8 as it is.

enum class RtfError {
    kOk = 0,
    kStackUnderflow,  // more '}' than '{'
    kStackOverflow,   // no memory for another group
    kUnmatchedBrace,  // a '{' never closed
    kInvalidHex,      // \' followed by something other than two hex digits
    kBadTable,        // a keyword table entry of no known kind
    kAssertion,       // an impossible parse state
    kEndOfFile,       // the text ends inside a control word
};

// A short English description of the error, e.g. "unmatched brace".
const char* RtfErrorMessage(RtfError error);

class RtfTextExtractor {
public:
    // Converts `rtf`; on success `plainText` is replaced by the text, on
    // failure it is left as it was.
    RtfError Convert(std::string_view rtf, std::string& plainText);
};

// Returns true on success (then `plainText` holds the text); on failure
// `plainText` keeps its previous value.
bool ExtractPlainText(std::string_view rtf, std::string& plainText);
