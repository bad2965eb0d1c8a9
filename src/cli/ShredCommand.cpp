// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 shred: the track window's word shredder for batch use.
#include "cli/CliRegistry.h"
#include "cli/CommandInput.h"
#include "support/HugePages.h"
#include "tracks/WordShredder.h"

#include <iostream>
#include <memory>

namespace {

struct ShredOptions {
    bool suffix = false;
    int size = 3;
    std::string file;
};

// Each line is shredded on its own and keeps its line end, so the output
// lines up with the input; the trailing space of every shredded line goes.
std::string ShredLines(std::string_view text, const ShredSettings& settings) {
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 16);
    PreferHugePages(out.data(), out.capacity());
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find('\n', from);
        std::string_view line = text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from);
        const bool crlf = !line.empty() && line.back() == '\r';
        if (crlf) line.remove_suffix(1);
        AppendShreddedWords(out, line, settings);
        out.pop_back();
        if (crlf) out += '\r';
        if (end == std::string_view::npos) break;
        out += '\n';
        from = end + 1;
    }
    return out;
}

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "tarvex4 shred: " << message << "\n";
    throw CLI::RuntimeError(1);
}

void Run(const ShredOptions& options) {
    const ShredSettings settings{options.suffix ? FragmentType::Suffix : FragmentType::Prefix, options.size};
    std::string error;
    auto input = cli::ReadInput(options.file, error);
    if (!input) Fail(error);
    if (!cli::WriteOutput(ShredLines(input->View(), settings))) Fail("cannot write the output");
}

const cli::CliRegistration shredCommand{
    "shred", [](CLI::App& root) {
        auto options = std::make_shared<ShredOptions>();
        CLI::App* command = root.add_subcommand(
            "shred",
            "Cut every word (the fields between single spaces) to its first or last few letters,\n"
            "line by line, from FILE or standard input to standard output. A letter is a character\n"
            "as a reader sees it (an accented letter is one); a leading byte-order mark is dropped.");
        auto* prefix = command->add_flag("--prefix")->description("Keep the first letters of each word (default)");
        auto* suffix = command->add_flag("--suffix", options->suffix, "Keep the last letters of each word");
        prefix->excludes(suffix);
        command->add_option("--size", options->size, "Letters kept of a longer word: 3, 4 or 5")
            ->check(CLI::IsMember({3, 4, 5}))
            ->default_val(3);
        command->add_option("FILE", options->file, "Text file to read (standard input when absent or -)");
        command->callback([options] { Run(*options); });
    }};

}  // namespace
