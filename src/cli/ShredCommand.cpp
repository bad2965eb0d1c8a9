// tarvex4 shred: the track window's word shredder for batch use.
#include "cli/CliRegistry.h"
#include "tracks/WordShredder.h"

#include <filesystem>
#include <fstream>
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
void ShredStream(std::istream& in, std::ostream& out, const ShredSettings& settings) {
    std::string line;
    while (std::getline(in, line)) {
        const bool crlf = !line.empty() && line.back() == '\r';
        if (crlf) line.pop_back();
        std::string shredded = ShredWords(line, settings);
        shredded.pop_back();
        out << shredded << (crlf ? "\r" : "");
        if (!in.eof()) out << '\n';
    }
}

void Run(const ShredOptions& options) {
    const ShredSettings settings{options.suffix ? FragmentType::Suffix : FragmentType::Prefix, options.size};
    if (options.file.empty() || options.file == "-") {
        ShredStream(std::cin, std::cout, settings);
    } else {
        std::error_code ignored;
        std::ifstream in(options.file, std::ios::binary);
        // A folder opens as a stream that reads nothing; say so rather than print nothing.
        if (!in || std::filesystem::is_directory(options.file, ignored)) {
            std::cerr << "tarvex4 shred: cannot open " << options.file << "\n";
            throw CLI::RuntimeError(1);
        }
        ShredStream(in, std::cout, settings);
        if (in.bad()) {
            std::cerr << "tarvex4 shred: cannot read " << options.file << "\n";
            throw CLI::RuntimeError(1);
        }
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "tarvex4 shred: cannot write the output\n";
        throw CLI::RuntimeError(1);
    }
}

const cli::CliRegistration registration{"shred", [](CLI::App& root) {
    auto options = std::make_shared<ShredOptions>();
    CLI::App* command = root.add_subcommand(
        "shred",
        "Cut every word (the fields between single spaces) to its first or last few letters,\n"
        "line by line, from FILE or standard input to standard output.");
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
