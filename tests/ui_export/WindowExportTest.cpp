// File > Export Collage... in the window: nothing before the first GO, then
// the last GO's page drawn into the file chosen.
#include "../ui_main/MainWindowFixture.h"
#include "app/MainFormIds.h"
#include "app/MainFrameIds.h"
#include "richtext/RichTextOps.h"

#include <QAction>

// fontconfig keeps its caches until the process ends; that is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

class WindowExport : public MainWindowTest {};

TEST_F(WindowExport, TheLastGoIsExportedAsTheFileTypeAsks) {
    Open();
    frame->Command(ID_FILE_EXPORT_COLLAGE)->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("press GO first"), std::string::npos) << ui.messages[0].text;
    EXPECT_TRUE(ui.saveInitialNames.empty());

    LoadMarkup(*state->m_mainText, "words for the exported collage");
    view->OnCommand(IDC_GO);
    ASSERT_TRUE(std::filesystem::exists(output + "collage1.html"));
    ui.messages.clear();
    const std::string svg = output + "picture.svg";
    ui.saveAnswers.push_back(FileChoice{svg, "picture.svg"});
    frame->Command(ID_FILE_EXPORT_COLLAGE)->trigger();
    EXPECT_EQ(ui.saveInitialNames.back(), std::filesystem::canonical(output).string() + "/collage1.png");
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    const std::string drawing = ReadFile(svg);
    EXPECT_NE(drawing.find("<svg"), std::string::npos);
    EXPECT_NE(drawing.find("<text"), std::string::npos);  // the snips stay text
}

}  // namespace
