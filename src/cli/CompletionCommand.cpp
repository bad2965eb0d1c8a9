// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 completion bash|zsh: the shell completion script, written from
// the parser itself so that it never lags behind the commands. The build
// runs it; the package installs its output.
#include "cli/CliRegistry.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

// What the word after an option (or in a positional's place) is.
enum class ValueKind { kNone, kWord, kFile, kFolder, kCategory, kWordbook };

const char* KindWord(ValueKind kind) {
    switch (kind) {
        case ValueKind::kNone: return "none";
        case ValueKind::kWord: return "word";
        case ValueKind::kFile: return "file";
        case ValueKind::kFolder: return "dir";
        case ValueKind::kCategory: return "category";
        case ValueKind::kWordbook: return "wordbook";
    }
    return "word";
}

bool Holds(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

ValueKind KindOf(const std::string& path, const CLI::Option& option) {
    if (option.get_type_size() == 0 && option.get_expected_max() == 0) return ValueKind::kNone;
    const std::string name = option.get_name(), type = option.get_type_name();
    if (name == "--category" || (path == "images select" && !option.nonpositional())) return ValueKind::kCategory;
    if (path.rfind("wordbook ", 0) == 0 && !option.nonpositional() && !Holds(path, "create") && name != "NEW")
        return ValueKind::kWordbook;
    if (Holds(type, "DIR") || name == "--data" || name == "--out" || name == "--folder" || name == "FOLDER")
        return ValueKind::kFolder;
    if (Holds(type, "FILE") || Holds(type, "PAGE") || name == "FILE" || name == "page" || name == "PAGE" ||
        name == "--session")
        return ValueKind::kFile;
    return ValueKind::kWord;
}

struct Command {
    std::string path;  // "" for the program, "images import"
    std::vector<std::string> subcommands;
    std::vector<std::pair<std::string, ValueKind>> options;  // every long and short name
    ValueKind positional = ValueKind::kNone;
};

void Walk(const CLI::App& app, const std::string& path, std::vector<Command>& commands) {
    Command command{path, {}, {}, ValueKind::kNone};
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App* a) { return !a->get_group().empty(); })) {
        command.subcommands.push_back(sub->get_name());
    }
    for (const CLI::Option* option : app.get_options()) {
        const ValueKind kind = KindOf(path, *option);
        if (!option->nonpositional()) {
            if (command.positional == ValueKind::kNone) command.positional = kind;
            continue;
        }
        for (const std::string& name : option->get_lnames()) command.options.emplace_back("--" + name, kind);
        for (const std::string& name : option->get_snames()) command.options.emplace_back("-" + name, kind);
    }
    commands.push_back(std::move(command));
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App* a) { return !a->get_group().empty(); })) {
        Walk(*sub, path.empty() ? sub->get_name() : path + " " + sub->get_name(), commands);
    }
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

// The tables both shells read: sub-commands, options and value kinds per
// command path, as shell functions (the same syntax in bash and zsh).
std::string Tables(const std::vector<Command>& commands) {
    std::string subs = "_tarvex4_subcommands() {\n    case \"$1\" in\n";
    std::string options = "_tarvex4_options() {\n    case \"$1\" in\n";
    std::string values = "_tarvex4_value_kind() {\n    case \"$1|$2\" in\n";
    for (const Command& command : commands) {
        if (!command.subcommands.empty())
            subs += "        \"" + command.path + "\") echo \"" + Joined(command.subcommands) + "\" ;;\n";
        std::vector<std::string> names;
        for (const auto& [name, kind] : command.options) {
            names.push_back(name);
            if (kind != ValueKind::kNone)
                values += "        \"" + command.path + "|" + name + "\") echo " + KindWord(kind) + " ;;\n";
        }
        options += "        \"" + command.path + "\") echo \"" + Joined(names) + "\" ;;\n";
        values += "        \"" + command.path + "|\") echo " + KindWord(command.positional) + " ;;\n";
    }
    subs += "    esac\n}\n";
    options += "    esac\n}\n";
    values += "        *) echo none ;;\n    esac\n}\n";
    // Names are asked of the program: the first tab-separated field of
    // wordbook list, the second of images list.
    const std::string names =
        "_tarvex4_names() {\n"
        "    case \"$1\" in\n"
        "        category) tarvex4 images list 2>/dev/null | cut -f2 ;;\n"
        "        wordbook) tarvex4 wordbook list 2>/dev/null | cut -f1 ;;\n"
        "    esac\n}\n"
        // The command path of the words before the cursor, and the option
        // whose value the word at the cursor is ("" when none).
        "_tarvex4_path() {\n"
        "    local path=\"\" word subs\n"
        "    for word in \"$@\"; do\n"
        "        subs=\" $(_tarvex4_subcommands \"$path\") \"\n"
        "        case \"$subs\" in *\" $word \"*) path=\"${path:+$path }$word\" ;; esac\n"
        "    done\n"
        "    echo \"$path\"\n}\n";
    return subs + options + values + names;
}

std::string BashScript(const std::vector<Command>& commands) {
    return "# bash completion for tarvex4, written by tarvex4 completion bash\n" + Tables(commands) +
           "_tarvex4() {\n"
           "    local cur=\"${COMP_WORDS[COMP_CWORD]}\" prev=\"\" path kind\n"
           "    (( COMP_CWORD > 1 )) && prev=\"${COMP_WORDS[COMP_CWORD-1]}\"\n"
           "    path=\"$(_tarvex4_path \"${COMP_WORDS[@]:1:COMP_CWORD-1}\")\"\n"
           "    kind=none\n"
           "    [[ \"$prev\" == -* ]] && kind=\"$(_tarvex4_value_kind \"$path\" \"$prev\")\"\n"
           "    local IFS=$'\\n'\n"
           "    case \"$kind\" in\n"
           "        file) COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n"
           "        dir) COMPREPLY=($(compgen -d -- \"$cur\")); return ;;\n"
           "        category|wordbook) COMPREPLY=($(compgen -W \"$(_tarvex4_names \"$kind\")\" -- \"$cur\")); return "
           ";;\n"
           "        word) COMPREPLY=(); return ;;\n"
           "    esac\n"
           "    unset IFS\n"
           "    if [[ \"$cur\" == -* ]]; then\n"
           "        COMPREPLY=($(compgen -W \"$(_tarvex4_options \"$path\")\" -- \"$cur\"))\n"
           "        return\n"
           "    fi\n"
           "    COMPREPLY=($(compgen -W \"$(_tarvex4_subcommands \"$path\")\" -- \"$cur\"))\n"
           "    kind=\"$(_tarvex4_value_kind \"$path\" \"\")\"\n"
           "    local IFS=$'\\n'\n"
           "    case \"$kind\" in\n"
           "        file) COMPREPLY+=($(compgen -f -- \"$cur\")) ;;\n"
           "        dir) COMPREPLY+=($(compgen -d -- \"$cur\")) ;;\n"
           "        category|wordbook) COMPREPLY+=($(compgen -W \"$(_tarvex4_names \"$kind\")\" -- \"$cur\")) ;;\n"
           "    esac\n"
           "}\n"
           "complete -F _tarvex4 -o filenames tarvex4\n";
}

std::string ZshScript(const std::vector<Command>& commands) {
    return "#compdef tarvex4\n# zsh completion for tarvex4, written by tarvex4 completion zsh\n" + Tables(commands) +
           "_tarvex4_complete() {\n"
           "    local cur=\"${words[CURRENT]}\" prev=\"${words[CURRENT-1]}\" path kind\n"
           "    path=\"$(_tarvex4_path \"${(@)words[2,CURRENT-1]}\")\"\n"
           "    kind=none\n"
           "    [[ \"$prev\" == -* ]] && kind=\"$(_tarvex4_value_kind \"$path\" \"$prev\")\"\n"
           "    case \"$kind\" in\n"
           "        file) _files; return ;;\n"
           "        dir) _files -/; return ;;\n"
           "        category|wordbook) compadd -- ${(f)\"$(_tarvex4_names $kind)\"}; return ;;\n"
           "        word) return ;;\n"
           "    esac\n"
           "    if [[ \"$cur\" == -* ]]; then\n"
           "        compadd -- ${=\"$(_tarvex4_options \"$path\")\"}\n"
           "        return\n"
           "    fi\n"
           "    compadd -- ${=\"$(_tarvex4_subcommands \"$path\")\"}\n"
           "    case \"$(_tarvex4_value_kind \"$path\" \"\")\" in\n"
           "        file) _files ;;\n"
           "        dir) _files -/ ;;\n"
           "        category) compadd -- ${(f)\"$(_tarvex4_names category)\"} ;;\n"
           "        wordbook) compadd -- ${(f)\"$(_tarvex4_names wordbook)\"} ;;\n"
           "    esac\n"
           "}\n"
           "_tarvex4_complete \"$@\"\n";
}

const cli::CliRegistration completionCommand{
    "completion", [](CLI::App& root) {
        auto shell = std::make_shared<std::string>();
        CLI::App* command = root.add_subcommand("completion", "Print the completion script for bash or zsh");
        // Hidden: the build writes the scripts, users do not need to ask.
        command->group("");
        command->add_option("SHELL", *shell, "bash or zsh")->required()->check(CLI::IsMember({"bash", "zsh"}));
        const CLI::App* program = &root;
        command->callback([shell, program] {
            std::vector<Command> commands;
            Walk(*program, "", commands);
            std::cout << (*shell == "bash" ? BashScript(commands) : ZshScript(commands)) << std::flush;
        });
    }};

}  // namespace
