// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 go: one press of GO without the window.
#include "cli/CliRegistry.h"
#include "cli/WordsCommandSupport.h"
#include "cli/ExportLauncher.h"
#include "cli/GoAround.h"
#include "cli/GoOutput.h"
#include "cli/GoSession.h"
#include "composer/CollageRun.h"
#include "composer/CutUpText.h"
#include "mainform/MainCommands.h"
#include "composer/OutputSettings.h"
#include "form/MainFormState.h"
#include "form/Settings.h"
#include "richtext/RichTextOps.h"
#include "support/ConsoleUserInterface.h"
#include "support/Random.h"
#include "support/SafeFile.h"
#include "support/TextFileReader.h"
#include "tracks/TrackCommands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <ctime>

namespace {

struct GoOptions {
    std::string seed;
    std::string session;
    std::string saveSession;
    std::string around;
    std::string keep;
    int count = 1;
    std::string mainFile;
    std::vector<std::string> tracks;
    std::vector<int> tracksOff;
    std::vector<std::string> faders;
    std::string style;
    std::vector<std::string> trackStyles;
    std::optional<int> words;
    std::vector<std::string> trackWords;
    std::vector<int> wholeTracks;
    bool noMain = false;
    std::optional<int> textVolume;
    std::optional<int> imageVolume;
    bool landscape = false;
    bool noCapture = false;
    bool textUnderImages = false;
    std::string folder;
    std::string out;
    std::string name;
    std::string data;
    bool open = false;
    std::string text;
    bool provenance = false;
    bool markSources = false;
    cli::GoOutputOptions output;
    cli::ExportRequest exportTo;
};

[[noreturn]] void BadValue(const std::string& option, const std::string& why) {
    throw CLI::ValidationError(option, why);
}

int ParseInt(const std::string& option, const std::string& text, int low, int high) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || value < low || value > high) {
        BadValue(option, "'" + text + "' is not a number from " + std::to_string(low) + " to " + std::to_string(high));
    }
    return value;
}

int ParseSetting(const std::string& option, const std::string& text, const Setting& setting) {
    return ParseInt(option, text, setting.minimum, setting.maximum);
}

// "K=VALUE" with K a track number 1..4.
std::pair<int, std::string> TrackPair(const std::string& option, const std::string& text) {
    size_t eq = text.find('=');
    if (eq == std::string::npos) BadValue(option, "'" + text + "' is not of the form K=VALUE");
    return {ParseInt(option, text.substr(0, eq), 1, 4), text.substr(eq + 1)};
}

// A style as its index or its entry text.
int ParseStyle(const std::string& option, const std::string& text, const Setting& style) {
    for (size_t i = 0; i < style.choices.size(); ++i) {
        if (text == style.choices[i]) return static_cast<int>(i);
    }
    if (text.size() == 1 && text[0] >= '0' + style.minimum && text[0] <= '0' + style.maximum) return text[0] - '0';
    std::string entries;
    for (const char* entry : style.choices) entries += std::string(entries.empty() ? "" : ", ") + '"' + entry + '"';
    BadValue(option, "'" + text + "' is not a style: " + std::to_string(style.minimum) + ".." +
                         std::to_string(style.maximum) + " or " + entries);
}

// A file that is missing, unreadable or no text file (a folder, a pipe, a
// device) fails the run (1) at once instead of being waited on or read
// without end.
void OpenText(const std::string& option, const std::string& path) {
    std::string why;
    const int fd = OpenRegularFile(path, why);
    if (fd >= 0) {
        ::close(fd);
        return;
    }
    std::cerr << "tarvex4 go: " << option << " " << path << ": " << why << "\n";
    throw CLI::RuntimeError(1);
}

// The same file: device and inode when both exist, the canonical path else.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    std::error_code error;
    const std::filesystem::path left = std::filesystem::weakly_canonical(a, error);
    if (error) return false;
    const std::filesystem::path right = std::filesystem::weakly_canonical(b, error);
    return !error && left == right;
}

// The files the run reads, each with the option that named it.
std::vector<std::pair<std::string, std::string>> RunInputs(const GoOptions& o) {
    std::vector<std::pair<std::string, std::string>> inputs;
    if (!o.session.empty()) inputs.emplace_back("--session", o.session);
    if (!o.around.empty()) inputs.emplace_back("--around", o.around);
    if (!o.mainFile.empty()) inputs.emplace_back("--main", o.mainFile);
    for (const std::string& t : o.tracks) {
        const std::size_t eq = t.find('=');
        if (eq != std::string::npos) inputs.emplace_back("--track " + t.substr(0, eq), t.substr(eq + 1));
    }
    return inputs;
}

// An output that would write over one of the run's inputs fails the run
// before anything is written. A session may be saved over the one it came from.
void RefuseOutputsOverInputs(const GoOptions& o) {
    std::vector<std::pair<std::string, std::string>> outputs;
    if (!o.text.empty() && o.text != "-") outputs.emplace_back("--text", o.text);
    if (!o.saveSession.empty()) outputs.emplace_back("--save-session", o.saveSession);
    if (!o.output.reportFile.empty() && o.output.reportFile != "-")
        outputs.emplace_back("--report", o.output.reportFile);
    for (const auto& [outOption, out] : outputs) {
        for (const auto& [inOption, in] : RunInputs(o)) {
            if (outOption == "--save-session" && inOption == "--session") continue;
            if (!SameFile(out, in)) continue;
            std::cerr << "tarvex4 go: " << outOption << " " << out << " would write over " << inOption << " " << in
                      << ", which this run reads; name another file\n";
            throw CLI::RuntimeError(1);
        }
    }
}

// As the main form's Open, with the same code, so the window and this
// command read a file alike. A file that cannot be loaded fails the command.
void LoadMainText(MainFormState& state, UserInterface& ui, const std::string& path) {
    OpenText("--main", path);
    if (!LoadMainTextFile(state, ui, path)) throw CLI::RuntimeError(1);
}

// As a track window's Open, answered with the file.
void LoadTrackText(TrackState& track, UserInterface& ui, const std::string& path) {
    OpenText("--track", path);
    if (!LoadTrackTextFile(track, ui, path)) throw CLI::RuntimeError(1);
}

void ApplyOptions(const GoOptions& o, MainFormState& state, UserInterface& ui, cli::StandardInputFile& input) {
    if (!o.mainFile.empty()) LoadMainText(state, ui, o.mainFile == "-" ? input.Path(kMainTextOpenLines) : o.mainFile);
    for (const std::string& t : o.tracks) {
        auto [k, file] = TrackPair("--track", t);
        TrackState& track = state.m_tracks[static_cast<size_t>(k - 1)];
        state.m_trackWindowOpen[static_cast<size_t>(k - 1)] = true;
        LoadTrackText(track, ui, file == "-" ? input.Path(kTrackOpenLines) : file);
    }
    for (int k : o.tracksOff) state.m_trackWindowOpen[static_cast<size_t>(k - 1)] = false;
    for (const std::string& f : o.faders) {
        auto [k, value] = TrackPair("--fader", f);
        state.m_trackFader[static_cast<size_t>(k - 1)] = ParseSetting("--fader", value, settings::kFader);
    }
    if (!o.style.empty()) state.m_mainStyle = ParseStyle("--style", o.style, settings::kMainStyle);
    for (const std::string& s : o.trackStyles) {
        auto [k, value] = TrackPair("--track-style", s);
        state.m_tracks[static_cast<size_t>(k - 1)].m_collageStyle =
            ParseStyle("--track-style", value, settings::kTrackStyle);
    }
    if (o.words) state.SetWordsPerSnip(*o.words);
    for (const std::string& w : o.trackWords) {
        auto [k, value] = TrackPair("--track-words", w);
        state.m_tracks[static_cast<size_t>(k - 1)].SetWordsPerCut(
            ParseSetting("--track-words", value, settings::kWordsPerCut));
    }
    for (int k : o.wholeTracks) state.m_tracks[static_cast<size_t>(k - 1)].m_useWhole = true;
    if (o.noMain) state.m_showMain = false;
    if (o.textVolume) state.m_textVolume = *o.textVolume;
    if (o.imageVolume) state.m_imageVolume = *o.imageVolume;
    if (o.landscape) {
        state.m_landscape = true;
        state.m_portrait = false;
    }
    if (o.noCapture) state.m_captureCode = false;
    if (o.markSources) state.m_markSources = true;
    if (o.textUnderImages) state.m_textOverImages = false;
    if (!o.folder.empty()) {
        state.m_useCustomFolder = true;
        state.m_customImageFolder = o.folder;
        state.m_customFolderText = o.folder;
    }
    if (!o.name.empty()) {
        // The page goes into the output folder, beside its pictures, as a session's does.
        if (!IsPlainFileName(o.name))
            BadValue("--name", "'" + o.name + "' is not a file name (the folder is --out DIR)");
        if (!IsPageName(o.name)) BadValue("--name", "'" + o.name + "' does not end in .html or .htm");
        state.m_outputFileName = o.name;
    }
}

// One GO per page, from consecutive seeds; several pages get numbered names.
// The file name is left as it was, for the saved session. Returns the last
// page's result; `written` gets every page's path.
CollageResult RunPages(const GoOptions& o, std::optional<std::uint32_t> seed, MainFormState& state, UserInterface& ui,
                       cli::GoTeller& teller, std::vector<std::string>& written) {
    CollageResult last;
    const std::string fileName = state.m_outputFileName;
    const std::uint32_t first = seed ? *seed : rng::ClockSeed();
    teller.Seed(first, !seed);
    for (int n = 1; n <= o.count; ++n) {
        if (o.count > 1) state.m_outputFileName = gosession::NumberedPageName(fileName, n);
        state.m_outputFileText = state.m_outputFolder + state.m_outputFileName;
        rng::Seed(first + static_cast<std::uint32_t>(n - 1));
        CollageResult result = BuildCollage(state, ui);
        state.m_lastSeed = result.seed;  // for --save-session
        if (!result.written) {
            std::cerr << "tarvex4 go: no page written\n";
            throw CLI::RuntimeError(1);
        }
        teller.Page(result, first + static_cast<std::uint32_t>(n - 1));
        written.push_back(result.pagePath);
        last = std::move(result);
    }
    state.m_outputFileName = fileName;
    state.m_outputFileText = state.m_outputFolder + fileName;
    return last;
}

// --text: the cut-up beside the page; false (said on stderr) when it could
// not be written, the page staying as it is.
bool WriteCutUpText(const GoOptions& o, const collage::Collage& page) {
    return cli::WriteGoText(o.text, collage::CutUpText(page, o.provenance), "the cut-up text");
}

// The pages just written, drawn into the files asked for (several pages:
// one PDF book); the pages stay.
void ExportPages(const std::vector<std::string>& pages, const cli::ExportRequest& request) {
    const int status = cli::RunExportProgram(pages, request);
    if (status != 0) throw CLI::RuntimeError(status);
}

void Run(const GoOptions& o) {
    if ((!o.exportTo.png.empty() || !o.exportTo.svg.empty()) && o.count > 1)
        throw CLI::ValidationError("--png/--svg", "draw one page: leave out --count (--pdf makes a book of them)");
    if ((!o.exportTo.title.empty() || o.exportTo.pageNumbers) && o.exportTo.pdf.empty())
        throw CLI::ValidationError("--title/--page-numbers", "they are for a PDF: give --pdf FILE too");
    if ((!o.text.empty() || o.output.ReportAsked()) && o.count > 1)
        throw CLI::ValidationError("--text/--report", "one page's words: leave out --count");
    if (o.provenance && o.text.empty()) throw CLI::ValidationError("--provenance", "give --text FILE too");
    if (!o.keep.empty() && o.around.empty()) throw CLI::ValidationError("--keep", "give --around PAGE too");
    if (!o.around.empty() && o.count > 1) throw CLI::ValidationError("--around", "draw one page: leave out --count");
    cli::CheckStreams(o.output, {o.text, o.mainFile, o.tracks, &o.exportTo});
    RefuseOutputsOverInputs(o);
    cli::GoTeller teller(o.output, o.text == "-" || o.exportTo.WritesStandardOutput());
    cli::StandardInputFile input;
    const std::optional<collage::Collage> around =
        o.around.empty() ? std::nullopt : std::optional(goaround::LoadPage(o.around, o.keep));
    ConsoleUserInterface ui(std::cerr, o.open);
    const std::optional<Session> session = gosession::Load(o.session);
    const std::optional<std::uint32_t> seed = gosession::ParseSeed(o.seed, session);
    MainFormState state;
    state.m_dataFolder = cli::WordsDataFolder(o.data, "go");
    // The form as the window starts it (saved font, stored output folder),
    // then changed by the session and the options.
    StartMainForm(state, ui);
    if (session) {
        for (const std::string& text : ApplySession(*session, state))
            std::cerr << "tarvex4 go: " << text << " of the session could not be read; skipped\n";
        for (const std::string& text : UnbalancedTexts(*session))
            std::cerr << "tarvex4 go: " << text << " of the session is damaged (its braces do not balance); "
                      << "the part that could be read was used\n";
    }
    ApplyOptions(o, state, ui, input);

    if (!o.out.empty()) {
        state.m_outputFolder = o.out.back() == '/' ? o.out : o.out + "/";
        std::string problem;
        if (!MakeFolder(state.m_outputFolder, problem)) {
            std::cerr << "tarvex4 go: " << problem << "\n";
            throw CLI::RuntimeError(1);
        }
    } else if (around) {
        // Beside the page drawn around, where its pictures are.
        state.m_outputFolder = goaround::PageFolder(o.around);
    } else if (session && state.m_outputFolder.empty()) {
        state.m_outputFolder = LoadOutputFolder(state, &ui);
    }
    std::vector<std::string> written;
    CollageResult last;
    if (around) {
        last = goaround::Run(*around, goaround::PageFolder(o.around), seed, state, ui);
        teller.Page(last, last.seed);
        written.push_back(last.pagePath);
    } else {
        last = RunPages(o, seed, state, ui, teller, written);
    }
    const collage::Collage& page = last.collage;
    bool wordsWritten = o.text.empty() || WriteCutUpText(o, page);
    if (o.output.ReportAsked() && !teller.Report(page)) wordsWritten = false;
    if (!o.saveSession.empty()) {
        try {
            WriteSessionFile(o.saveSession, CaptureSession(state, gosession::WindowsOpen(state, session)));
        } catch (const SessionError& e) {
            std::cerr << "tarvex4 go: " << e.what() << '\n';
            throw CLI::RuntimeError(1);
        }
    }
    if (o.exportTo.Any()) ExportPages(written, o.exportTo);
    if (!teller.Finish(o.count) || !wordsWritten) throw CLI::RuntimeError(1);
}

// An option that changes a setting, named and explained by the setting's row.
template <class T>
CLI::Option* AddSetting(CLI::App& go, const Setting& setting, T& into) {
    return go.add_option(std::string(setting.flag), into, SettingHelp(setting));
}

CLI::Option* AddNumber(CLI::App& go, const Setting& setting, std::optional<int>& into) {
    return AddSetting(go, setting, into)->check(CLI::Range(setting.minimum, setting.maximum));
}

CLI::Option* AddSwitch(CLI::App& go, const Setting& setting, bool& into) {
    return go.add_flag(std::string(setting.flag), into, SettingHelp(setting));
}

const cli::CliRegistration goCommand{
    "go", [](CLI::App& root) {
        namespace k = settings;
        auto o = std::make_shared<GoOptions>();
        CLI::App* go = root.add_subcommand(
            "go",
            "Build one collage page, as the GO button does with the window's start settings\n"
            "(or a session's) changed by the options, and print the page's path (on standard error\n"
            "when standard output carries --text -, --json or a drawing, '-').");
        go->add_option("--seed", o->seed,
                       "Seed the random generator with N right before the run (default: from the clock, in\n"
                       "nanoseconds, told on standard error as \"seed N\"); 'last': the session's seed, which gives\n"
                       "the session's last page again")
            ->type_name("N|last");
        go->add_option("--session", o->session,
                       "Start from the settings and texts of session FILE (*.vantelo);\n"
                       "the other options change them")
            ->type_name("FILE");
        go->add_option("--save-session", o->saveSession,
                       "Write the session of this run (settings, texts, seed) to FILE")
            ->type_name("FILE");
        go->add_option("--around", o->around,
                       "Draw anew around the kept items of PAGE (a page GO wrote): the new page goes beside\n"
                       "it (or into --out DIR) under the next free name")
            ->type_name("PAGE");
        go->add_option("--keep", o->keep,
                       "With --around: the items kept exactly as they are, by the ids the page gives them\n"
                       "(dpagetextitem3~,dpageimageitem0~; the ~ may be left out)")
            ->type_name("ID[,ID...]");
        go->add_option("--count", o->count,
                       "Write N pages from the seeds S, S+1, ... (collage1.html ... collageN.html,\n"
                       "or the output file name with a number)")
            ->check(CLI::Range(1, 10000))
            ->type_name("N");
        go->add_option("--main", o->mainFile,
                       "Load FILE into the main text (its first " + std::to_string(kMainTextOpenLines) +
                           " lines, as plain text; '-': standard input)")
            ->type_name("FILE|-");
        go->add_option("--track", o->tracks,
                       "K=FILE: turn track K on and load FILE into it (first " + std::to_string(kTrackOpenLines) +
                           " lines, as plain text;\n'-': standard input, for one of --main and --track)")
            ->type_name("K=FILE");
        AddSetting(*go, k::kTrackOn, o->tracksOff)->check(CLI::Range(1, 4));
        AddSetting(*go, k::kFader, o->faders);
        AddSetting(*go, k::kMainStyle, o->style);
        AddSetting(*go, k::kTrackStyle, o->trackStyles);
        AddNumber(*go, k::kWordsPerSnip, o->words);
        AddSetting(*go, k::kWordsPerCut, o->trackWords);
        AddSetting(*go, k::kUseWhole, o->wholeTracks)->check(CLI::Range(1, 4));
        AddSwitch(*go, k::kShowMain, o->noMain);
        AddNumber(*go, k::kTextVolume, o->textVolume);
        AddNumber(*go, k::kImageVolume, o->imageVolume);
        AddSwitch(*go, k::kLandscape, o->landscape);
        AddSwitch(*go, k::kCaptureCode, o->noCapture);
        AddSwitch(*go, k::kTextOverImages, o->textUnderImages);
        AddSetting(*go, k::kUseCustomFolder, o->folder);
        go->add_option("--out", o->out, "Output folder DIR, made when missing (default: the stored output folder)");
        AddSetting(*go, k::kOutputFileName, o->name);
        go->add_option("--data", o->data, "Data folder DIR (default: the user's data folder)");
        go->add_option("--text", o->text,
                       "Write the page's text snips to FILE ('-': standard output), one snip a line in page\n"
                       "order; lettered snips as their words, pictures left out")
            ->type_name("FILE|-");
        go->add_flag("--provenance", o->provenance,
                     "With --text: start each line with its source and word positions, then a tab\n"
                     "(\"main 12-14\", \"track 2 (notes.txt) 40-42\")");
        AddSwitch(*go, k::kMarkSources, o->markSources);
        cli::AddGoOutputOptions(*go, o->output);
        go->add_flag("--open", o->open, "Open the page in the browser (not when TARVEX4_NO_OPEN=1 is set)");
        cli::AddExportOptions(*go, o->exportTo, true);
        go->callback([o] { Run(*o); });
    }};

}  // namespace
