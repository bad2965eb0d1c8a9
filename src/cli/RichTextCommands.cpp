// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 markup2rtf and tarvex4 rtf2text: the rich text bridge on files.
#include "cli/CliRegistry.h"
#include "cli/CommandInput.h"
#include "richtext/MarkupRtfRenderer.h"
#include "richtext/RtfTextExtractor.h"

#include <iostream>
#include <memory>

namespace {

// The whole input; a file that cannot be read (a folder, say) fails the command.
cli::InputText Input(const std::string& command, const std::string& file) {
    std::string error;
    auto input = cli::ReadInput(file, error);
    if (!input) cli::FailCommand(command, error);
    return std::move(*input);
}

void Output(const std::string& command, std::string_view text) {
    if (!cli::WriteOutput(text)) cli::FailCommand(command, "cannot write the output");
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
        cli::FailCommand("markup2rtf", e.what());
    }
    render.twipsPerPixel = TwipsPerPixelForDpi(options.dpi);
    const cli::InputText markup = Input("markup2rtf", options.file);
    std::string failure;
    auto rtf = RenderToRtf(markup.View(), render, nullptr, &failure);
    if (!rtf) cli::FailCommand("markup2rtf", "the markup does not render: " + failure);
    Output("markup2rtf", *rtf);
}

void RunRtfToText(const std::string& file) {
    const cli::InputText rtf = Input("rtf2text", file);
    std::string text;
    RtfError error = RtfTextExtractor().Convert(rtf.View(), text);
    if (error != RtfError::kOk)
        cli::FailCommand("rtf2text", std::string("not readable RTF: ") + RtfErrorMessage(error));
    Output("rtf2text", text);
}

const cli::CliRegistration markupRegistration{
    "markup2rtf", [](CLI::App& root) {
        auto options = std::make_shared<MarkupOptions>();
        CLI::App* command =
            root.add_subcommand("markup2rtf",
                                "Render the program's HTML-like markup (from FILE or standard input) to RTF on\n"
                                "standard output, as text is loaded into a rich text area.");
        command->add_option("FILE", options->file, "Markup file to read (standard input when absent or -)");
        command->add_option("--face", options->face, "Face of the base font record")->capture_default_str();
        command
            ->add_option("--height", options->height,
                         "Height of the base font record in pixels (negative: character height;\n"
                         "the default -11 gives 12-point text)")
            ->capture_default_str();
        command->add_option("--colour", options->colour, "Text colour RRGGBB")->capture_default_str();
        command->add_option("--background", options->background, "Background colour RRGGBB")->capture_default_str();
        command->add_option("--dpi", options->dpi, "Screen dots per inch (twips per pixel = 1440 / dpi)")
            ->check(CLI::Range(1, 1440))
            ->capture_default_str();
        command->callback([options] { RunMarkupToRtf(*options); });
    }};

const cli::CliRegistration textRegistration{
    "rtf2text", [](CLI::App& root) {
        auto file = std::make_shared<std::string>();
        CLI::App* command = root.add_subcommand(
            "rtf2text",
            "Print the plain text of an RTF document (FILE or standard input): the text a reader sees,\n"
            "with field results, list numbers and footnote marks, symbol-font characters as Unicode.");
        command->add_option("FILE", *file, "RTF file to read (standard input when absent or -)");
        command->callback([file] { RunRtfToText(*file); });
    }};

}  // namespace
