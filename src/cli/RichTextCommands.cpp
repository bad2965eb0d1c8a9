// tarvex4 markup2rtf and tarvex4 rtf2text: the rich text bridge on files.
#include "cli/CliRegistry.h"
#include "richtext/MarkupRtfRenderer.h"
#include "richtext/RtfTextExtractor.h"

#include <cstdio>
#include <iostream>
#include <memory>

namespace {

[[noreturn]] void Fail(const std::string& command, const std::string& message) {
    std::cerr << "tarvex4 " << command << ": " << message << "\n";
    throw CLI::RuntimeError(1);
}

// Reads the whole input straight into the string, in large blocks.
std::string ReadAll(const std::string& command, std::FILE* in, const std::string& name,
                    std::size_t expected) {
    // One spare byte, so that a file of the expected size meets its end
    // without growing (and zero-filling) the buffer again.
    std::string text(expected + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == text.size()) text.resize(text.size() * 2 + 65536);
        const std::size_t n = std::fread(text.data() + used, 1, text.size() - used, in);
        if (n == 0) break;
        used += n;
    }
    if (std::ferror(in)) Fail(command, "cannot read " + name);
    text.resize(used);
    return text;
}

std::string ReadInput(const std::string& command, const std::string& file) {
    if (file.empty() || file == "-") return ReadAll(command, stdin, "standard input", 0);
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in == nullptr) Fail(command, "cannot open " + file);
    long size = 0;
    if (std::fseek(in, 0, SEEK_END) == 0) size = std::ftell(in);
    std::rewind(in);
    std::string text;
    try {
        text = ReadAll(command, in, file, size > 0 ? static_cast<std::size_t>(size) : 0);
    } catch (...) {
        std::fclose(in);
        throw;
    }
    std::fclose(in);
    return text;
}

void WriteOutput(const std::string& command, const std::string& text) {
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cout.flush();
    if (!std::cout) Fail(command, "cannot write the output");
}

// "RRGGBB" (a leading '#' allowed) as 0x00BBGGRR.
std::uint32_t ParseColour(const std::string& text) {
    std::string digits = !text.empty() && text[0] == '#' ? text.substr(1) : text;
    if (digits.size() != 6 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw CLI::ValidationError("colour", "expected RRGGBB (six hexadecimal digits): " + text);
    const std::uint32_t rgb = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

struct MarkupOptions {
    std::string file;
    std::string face = DefaultGuiFont().face;
    int height = DefaultGuiFont().height;
    std::string colour = "000000";
    std::string background = "FFFFFF";
    int dpi = 96;
};

void RunMarkupToRtf(const MarkupOptions& options) {
    RenderOptions render;
    render.baseFont.face = options.face;
    render.baseFont.height = options.height;
    try {
        render.textColour = ParseColour(options.colour);
        render.backgroundColour = ParseColour(options.background);
    } catch (const CLI::ValidationError& e) {
        Fail("markup2rtf", e.what());
    }
    render.twipsPerPixel = TwipsPerPixelForDpi(options.dpi);
    const std::string markup = ReadInput("markup2rtf", options.file);
    std::string failure;
    auto rtf = RenderToRtf(markup, render, nullptr, &failure);
    if (!rtf) Fail("markup2rtf", "the markup does not render: " + failure);
    WriteOutput("markup2rtf", *rtf);
}

void RunRtfToText(const std::string& file) {
    const std::string rtf = ReadInput("rtf2text", file);
    std::string text;
    RtfError error = RtfTextExtractor().Convert(rtf, text);
    if (error != RtfError::kOk) Fail("rtf2text", std::string("not readable RTF: ") + RtfErrorMessage(error));
    WriteOutput("rtf2text", text);
}

const cli::CliRegistration markupRegistration{"markup2rtf", [](CLI::App& root) {
    auto options = std::make_shared<MarkupOptions>();
    CLI::App* command = root.add_subcommand(
        "markup2rtf",
        "Render the program's HTML-like markup (from FILE or standard input) to RTF on\n"
        "standard output, as text is loaded into a rich text area.");
    command->add_option("FILE", options->file, "Markup file to read (standard input when absent or -)");
    command->add_option("--face", options->face, "Face of the base font record")
        ->capture_default_str();
    command->add_option("--height", options->height,
                        "Height of the base font record in pixels (negative: character height;\n"
                        "the default -11 gives 12-point text)")
        ->capture_default_str();
    command->add_option("--colour", options->colour, "Text colour RRGGBB")->capture_default_str();
    command->add_option("--background", options->background, "Background colour RRGGBB")
        ->capture_default_str();
    command->add_option("--dpi", options->dpi, "Screen dots per inch (twips per pixel = 1440 / dpi)")
        ->check(CLI::Range(1, 1440))
        ->capture_default_str();
    command->callback([options] { RunMarkupToRtf(*options); });
}};

const cli::CliRegistration textRegistration{"rtf2text", [](CLI::App& root) {
    auto file = std::make_shared<std::string>();
    CLI::App* command = root.add_subcommand(
        "rtf2text", "Print the plain text of an RTF document (FILE or standard input).");
    command->add_option("FILE", *file, "RTF file to read (standard input when absent or -)");
    command->callback([file] { RunRtfToText(*file); });
}};

}  // namespace
