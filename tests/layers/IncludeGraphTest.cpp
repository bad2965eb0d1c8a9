// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "IncludeGraph.h"
#include "ScratchFolder.h"

namespace {

// A small source tree with one file per entry: path -> its include lines.
class SourceTree {
public:
    void Add(const std::string& file, const std::string& text) {
        const std::filesystem::path path = std::filesystem::path(m_root.path()) / file;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    std::vector<layers::Violation> Check() const { return layers::CheckIncludes(m_root.path()); }

private:
    ScratchFolder m_root;
};

TEST(IncludeGraph, TheProgramKeepsTheLayerOrder) {
    const auto violations = layers::CheckIncludes(std::string(TARVEX4_SOURCE_DIR) + "/src");
    EXPECT_TRUE(violations.empty()) << layers::Describe(violations);
}

TEST(IncludeGraph, IncludesFromBelowAndFromTheOwnFolderPass) {
    SourceTree tree;
    tree.Add("support/Random.h", "#pragma once\n#include <string>\n");
    tree.Add("db/WordsDb.cpp", "#include \"db/WordsDb.h\"\n#include \"support/Random.h\"\n");
    tree.Add("composer/Run.cpp", "#include \"form/State.h\"\n#include \"db/WordsDb.h\"\n#include \"Local.h\"\n");
    tree.Add("ui/View.cpp", "#include <QWidget>\n#include \"resources/Pictures.h\"\n#include \"tracks/T.h\"\n");
    tree.Add("app/App.cpp", "#include \"ui/View.h\"\n#include \"cli/CliRegistry.h\"\n");
    tree.Add("window_main.cpp", "#include \"app/RunWindow.h\"\n");
    tree.Add("main.cpp", "#include \"cli/CliRegistry.h\"\n");
    const auto violations = tree.Check();
    EXPECT_TRUE(violations.empty()) << layers::Describe(violations);
}

TEST(IncludeGraph, AnIncludeAgainstTheOrderFailsWithItsPlace) {
    SourceTree tree;
    tree.Add("db/WordsDb.cpp",
             "#include \"db/WordsDb.h\"\n\n#include \"support/UserInterface.h\"\n"
             "  #  include \"composer/Run.h\"\n");
    tree.Add("form/State.cpp", "#include \"composer/OutputSettings.h\"\n");
    const auto violations = tree.Check();
    ASSERT_EQ(violations.size(), 2u) << layers::Describe(violations);
    EXPECT_EQ(violations[0].file, "db/WordsDb.cpp");
    EXPECT_EQ(violations[0].line, 4);
    EXPECT_EQ(violations[0].include, "composer/Run.h");
    EXPECT_EQ(violations[1].file, "form/State.cpp");
}

TEST(IncludeGraph, PeersOfOneLayerStayApart) {
    SourceTree tree;
    tree.Add("tracks/Shred.cpp", "#include \"composer/TextItems.h\"\n");
    tree.Add("cli/Go.cpp", "#include \"ui/trackview.h\"\n");
    EXPECT_EQ(tree.Check().size(), 2u);
}

TEST(IncludeGraph, QtStaysOutOfTheCoreTheCommandLineAndTheCommand) {
    SourceTree tree;
    tree.Add("richtext/Doc.cpp", "#include <QString>\n");
    tree.Add("support/Log.cpp", "#include <QtCore/QDebug>\n");
    tree.Add("cli/Pictures.cpp", "#include \"resources/Pictures.h\"\n");
    tree.Add("main.cpp", "#include \"app/RunWindow.h\"\n");
    tree.Add("form/Quoting.cpp", "#include <queue>\n");  // not Qt
    const auto violations = tree.Check();
    EXPECT_EQ(violations.size(), 4u) << layers::Describe(violations);
}

TEST(IncludeGraph, EachModuleIsALayerOfItsOwn) {
    SourceTree tree;
    tree.Add("images/Import.cpp", "#include \"modules/pictures/PictureReducer.h\"\n");
    tree.Add("modules/pictures/PictureReducer.cpp",
             "#include \"modules/pictures/PictureReduce.h\"\n"
             "#include \"support/ModuleFunctions.h\"\n");
    EXPECT_TRUE(tree.Check().empty()) << layers::Describe(tree.Check());
    tree.Add("modules/devices/Both.cpp", "#include \"modules/pictures/PictureReduce.h\"\n");
    tree.Add("composer/Print.cpp", "#include \"modules/devices/PaintDeviceLoader.h\"\n");
    tree.Add("modules/Loose.cpp", "#include <string>\n");
    const auto violations = tree.Check();
    ASSERT_EQ(violations.size(), 3u) << layers::Describe(violations);
    EXPECT_NE(violations[0].why.find("Qt folder modules/devices"), std::string::npos) << violations[0].why;
    EXPECT_EQ(violations[1].file, "modules/Loose.cpp");
    EXPECT_NE(violations[2].why.find("peer"), std::string::npos) << violations[2].why;
}

TEST(IncludeGraph, AFolderOutsideTheOrderMustBePlacedFirst) {
    SourceTree tree;
    tree.Add("plugins/Plugin.cpp", "#include <string>\n");
    tree.Add("composer/Run.cpp", "#include \"extras/Thing.h\"\n");
    const auto violations = tree.Check();
    ASSERT_EQ(violations.size(), 2u) << layers::Describe(violations);
    EXPECT_NE(violations[0].why.find("extras"), std::string::npos);
    EXPECT_NE(violations[1].why.find("plugins"), std::string::npos);
}

}  // namespace
