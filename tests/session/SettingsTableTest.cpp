// SPDX-License-Identifier: GPL-3.0-or-later
// The settings table against its readers: a setting added to the table but
// not to the session file, the form or go's options (or with another range
// there) fails here.
#include "ProgramRun.h"
#include "SessionFixture.h"
#include "form/Settings.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <set>

using namespace sessiontest;
using nlohmann::json;

namespace {

// The value a session holds for the row's start value.
json StartJson(const Setting& s) {
    switch (s.type) {
        case SettingType::kSwitch: return s.initial != 0;
        case SettingType::kColour: {
            char rgb[8];
            std::snprintf(rgb, sizeof rgb, "#%02X%02X%02X", s.initial & 0xFF, (s.initial >> 8) & 0xFF, s.initial >> 16);
            return rgb;
        }
        case SettingType::kChoice: return s.choices[static_cast<std::size_t>(s.initial)];
        case SettingType::kText: return std::string(s.initialText);
        case SettingType::kNumber: break;
    }
    return s.initial;
}

json::json_pointer Pointer(std::string_view key) {
    std::string path;
    for (char c : key) path += c == '.' ? '/' : c;
    return json::json_pointer("/" + path);
}

// Every place a session keeps the row: the top, or each of the four tracks.
std::vector<json::json_pointer> Places(const Setting& s) {
    if (!s.perTrack) return {Pointer(s.key)};
    std::vector<json::json_pointer> places;
    for (int k = 0; k < 4; ++k) places.push_back(json::json_pointer("/tracks/" + std::to_string(k)) / Pointer(s.key));
    return places;
}

class SettingsTable : public SessionTest {};

TEST_F(SettingsTable, RowsAreSoundAndOneKeyEach) {
    std::set<std::string> keys;
    std::set<std::string_view> flags;
    for (const Setting* s : settings::kAll) {
        SCOPED_TRACE(std::string(s->key) + " " + std::string(s->flag));
        EXPECT_LE(s->minimum, s->initial);
        EXPECT_LE(s->initial, s->maximum);
        if (!s->choices.empty()) {
            EXPECT_EQ(s->maximum, static_cast<int>(s->choices.size()) - 1);
        }
        if (s->type == SettingType::kSwitch) {
            EXPECT_EQ(s->maximum, 1);
        }
        if (!s->flag.empty()) {
            EXPECT_FALSE(s->help.empty());
        }
        if (!s->key.empty()) {
            EXPECT_TRUE(keys.insert((s->perTrack ? "track " : "") + std::string(s->key)).second);
        }
        if (!s->flag.empty()) {
            EXPECT_TRUE(flags.insert(s->flag).second);
        }
    }
}

TEST_F(SettingsTable, ADefaultFormsSessionHoldsEveryRowAtItsStartAndReadsBackSo) {
    MainFormState form;
    const json written = json::parse(SessionToJson(CaptureSession(form, {})));
    json bare = written;
    for (const Setting* s : settings::kAll) {
        for (const json::json_pointer& at : Places(*s)) {
            if (s->key.empty()) continue;
            SCOPED_TRACE(at.to_string());
            ASSERT_TRUE(written.contains(at));
            // Track 1 is on as the form starts; every other value is the row's.
            if (s != &settings::kTrackOn || at.to_string() != "/tracks/0/on") {
                EXPECT_EQ(written[at], StartJson(*s));
            }
            bare[at.parent_pointer()].erase(at.back());
        }
    }
    // A session that leaves every setting out gets the start values.
    const json reread = json::parse(SessionToJson(SessionFromJson(bare.dump())));
    for (const Setting* s : settings::kAll) {
        if (s->key.empty()) continue;
        for (const json::json_pointer& at : Places(*s)) EXPECT_EQ(reread.value(at, json()), StartJson(*s)) << at;
    }
    for (const Setting* s : settings::kAll) {
        if (s->key.empty() || s->type != SettingType::kNumber) continue;
        for (int out : {s->minimum - 1, s->maximum + 1}) {
            json bad = written;
            bad[Places(*s).back()] = out;
            const std::string name = s->perTrack ? "tracks[3]." + std::string(s->key) : std::string(s->key);
            try {
                SessionFromJson(bad.dump());
                ADD_FAILURE() << name << " = " << out << " was read";
            } catch (const SessionError& e) {
                EXPECT_EQ(std::string(e.what()), name + " is not a number from " + std::to_string(s->minimum) + " to " +
                                                     std::to_string(s->maximum));
            }
        }
    }
}

TEST_F(SettingsTable, GoNamesEveryFlagWithItsRange) {
    const ProgramRun run = RunTarvex4("go --help", scratch.path());
    ASSERT_EQ(run.status, 0) << run.err;
    for (const Setting* s : settings::kAll) {
        if (s->flag.empty()) continue;
        const std::size_t line = run.out.find("  " + std::string(s->flag) + " ");
        ASSERT_NE(line, std::string::npos) << s->flag;
        // The option's lines, up to the next option.
        const std::string text = run.out.substr(line, run.out.find("\n  -", line) - line);
        if (s->type == SettingType::kNumber) {
            EXPECT_NE(text.find(std::to_string(s->minimum) + ".." + std::to_string(s->maximum) + " "),
                      std::string::npos)
                << text;
        }
    }
}

}  // namespace
